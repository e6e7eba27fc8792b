#include "sim/host/host.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "sim/host/readable_memory.h"

namespace sim {

namespace {

constexpr std::size_t kScriptStackBytes = 1 << 20;
// The wall clock is read only every so many calls: a stuck loop makes millions.
constexpr std::uint32_t kWatchdogStride = 1024;

std::string Hex(std::uint64_t v) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%016llX", static_cast<unsigned long long>(v));
  return text;
}

bool High32Clear(std::uint64_t slot) { return (slot >> 32) == 0; }

}  // namespace

Host::Host(Game& game) : game_(game) {}
Host::~Host() = default;

void Host::AddSink(TraceSink* sink) { sinks_.push_back(sink); }
void Host::RemoveSink(TraceSink* sink) {
  sinks_.erase(std::remove(sinks_.begin(), sinks_.end(), sink), sinks_.end());
}

std::string Host::Where() const {
  std::string where = "frame " + std::to_string(frame_);
  if (call_.sig != nullptr)
    where += ", " + std::string(call_.sig->name) + " (" + Hex(call_.sig->hash) + ")";
  return where;
}

void Host::Fail(const std::string& what) {
  if (error_.empty()) error_ = what;
  invoking_ = false;
  // A failing script is stopped where it stands and never resumed.
  if (fiber_ && fiber_->Running()) fiber_->Yield();
}

void Host::Register(void* module, void (*script)()) {
  if (script == nullptr) return Fail("scriptRegister called without a script function");
  if (script_ != nullptr) return Fail("scriptRegister called twice without scriptUnregister");
  module_ = module;
  script_ = script;
}

void Host::Unregister(void* module) {
  if (script_ == nullptr || module != module_) return;
  if (fiber_ && fiber_->Running()) return Fail("scriptUnregister called from inside the script");
  fiber_.reset();
  script_ = nullptr;
  module_ = nullptr;
  waiting_ = false;
}

void Host::RunFrame(std::uint64_t frame) {
  frame_ = frame;
  if (script_ == nullptr || Failed()) return;
  if (!fiber_) {
    fiber_ = std::make_unique<ScriptFiber>(script_, kScriptStackBytes);
  } else {
    if (fiber_->Finished()) return;
    const auto elapsed = static_cast<std::int32_t>(static_cast<std::uint32_t>(game_.Clock()) -
                                                   static_cast<std::uint32_t>(waitStart_));
    if (waiting_ && elapsed < static_cast<std::int64_t>(waitMs_)) return;
  }
  waiting_ = false;
  resumedAt_ = std::chrono::steady_clock::now();
  callsSinceResume_ = 0;
  fiber_->Resume();
  if (fiber_ && fiber_->Finished() && !Failed()) Fail("the script function returned");
}

void Host::Wait(std::uint32_t ms) {
  if (!fiber_ || !fiber_->Running()) return Fail("scriptWait called outside the script");
  if (invoking_) return Fail(Where() + ": scriptWait called in the middle of an invocation");
  waiting_ = true;
  waitMs_ = ms;
  waitStart_ = game_.Clock();
  for (TraceSink* sink : sinks_) sink->OnWait(frame_, waitStart_, ms);
  fiber_->Yield();
}

void Host::Init(std::uint64_t hash) {
  if (!fiber_ || !fiber_->Running()) {
    return Fail("native " + Hex(hash) + " invoked outside the script (frame " +
                std::to_string(frame_) + ")");
  }
  if (invoking_) {
    return Fail(Where() + ": nativeInit before the previous invocation was called");
  }
  const NativeSignature* sig = FindSignature(hash);
  if (sig == nullptr) {
    return Fail("frame " + std::to_string(frame_) + ": unknown native hash " + Hex(hash));
  }
  call_.sig = sig;
  call_.argc = 0;
  invoking_ = true;
}

void Host::Push(std::uint64_t value) {
  if (!invoking_) return Fail(Where() + ": nativePush64 without nativeInit");
  if (call_.argc >= call_.sig->argc) {
    return Fail(Where() + ": more than " + std::to_string(call_.sig->argc) + " arguments pushed");
  }
  call_.slot[call_.argc++] = value;
}

bool Host::CheckArguments() {
  const NativeSignature& sig = *call_.sig;
  if (call_.argc != sig.argc) {
    Fail(Where() + ": " + std::to_string(call_.argc) + " arguments pushed, " +
         std::to_string(sig.argc) + " expected");
    return false;
  }
  for (int i = 0; i < call_.argc; ++i) {
    const std::uint64_t slot = call_.slot[i];
    const std::string arg = ": argument " + std::to_string(i + 1);
    switch (sig.args[static_cast<std::size_t>(i)]) {
      case ArgKind::Int:
      case ArgKind::Hash:
      case ArgKind::Handle:
      case ArgKind::Float:
        if (!High32Clear(slot)) {
          Fail(Where() + arg +
               " is a 32-bit value pushed sign-extended or with a dirty high half (" + Hex(slot) +
               ")");
          return false;
        }
        break;
      case ArgKind::Bool:
        if (slot > 1) {
          Fail(Where() + arg + " is a boolean but holds " + Hex(slot));
          return false;
        }
        break;
      case ArgKind::String: {
        const TextCheck text = ReadText(slot);
        if (!text.ok) {
          Fail(Where() + arg + " is not a valid text: " + text.problem);
          return false;
        }
        break;
      }
      case ArgKind::HandleRef:
        if (slot % alignof(std::int32_t) != 0 || !IsReadable(slot, sizeof(std::int32_t))) {
          Fail(Where() + arg + " is not the address of a handle variable (" + Hex(slot) + ")");
          return false;
        }
        refBefore_[i] = *reinterpret_cast<const std::int32_t*>(slot);
        break;
      case ArgKind::Speech: {
        if (slot % 8 != 0 || !IsReadable(slot, 64)) {
          Fail(Where() + arg + " is not the address of a 64-byte speech request (" + Hex(slot) +
               ")");
          return false;
        }
        const auto* record = reinterpret_cast<const std::uint64_t*>(slot);
        const TextCheck line = ReadText(record[0]);
        const TextCheck second = ReadText(record[1]);
        if (!line.ok || !second.ok) {
          Fail(Where() + arg + " is not laid out as a speech request of eight 8-byte slots: " +
               (line.ok ? "second name " : "line name ") +
               (line.ok ? second.problem : line.problem));
          return false;
        }
        break;
      }
      case ArgKind::Text:
        break;
    }
  }
  return true;
}

std::uint64_t* Host::Call() {
  if (!invoking_) {
    Fail(Where() + ": nativeCall without nativeInit");
    return nullArea_;
  }
  if (!CheckArguments()) return nullArea_;
  invoking_ = false;
  ++callCount_;
  lastNative_ = call_.sig->id;

  call_.result[0] = call_.result[1] = call_.result[2] = 0;
  game_.Invoke(call_.sig->id, call_);
  if (!sinks_.empty()) {
    const CallEvent event{frame_, game_.Clock(), call_, refBefore_};
    for (TraceSink* sink : sinks_) sink->OnCall(event);
  }

  if (++callsSinceResume_ % kWatchdogStride == 0 &&
      std::chrono::steady_clock::now() - resumedAt_ > watchdog_) {
    Fail(Where() + ": the script ran for more than " + std::to_string(watchdog_.count()) +
         " ms without yielding; the last native called was " + call_.sig->name);
    return nullArea_;
  }
  return call_.result;
}

namespace {
Host* activeHost = nullptr;
}

void SetActiveHost(Host* host) { activeHost = host; }
Host* ActiveHost() { return activeHost; }

}  // namespace sim
