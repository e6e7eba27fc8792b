#include "sim/host/host.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

#include "sim/host/hex_text.h"

namespace sim {

namespace {

constexpr std::size_t kScriptStackBytes = 1 << 20;
// The wall clock is read only every so many calls: a stuck loop makes millions.
constexpr std::uint32_t kWatchdogStride = 1024;

// Per native, the largest value each slot may hold (a 32-bit kind 0xFFFFFFFF, a boolean 1,
// an address or a text anything) and whether any slot holds an address to look behind: a
// call that passes no address is checked with one comparison per argument, as it is pushed.
struct ArgPlan {
  std::array<std::uint64_t, kMaxArgs> limit{};
  bool addresses = false;
};

std::array<ArgPlan, kNativeCount> MakePlans() {
  std::array<ArgPlan, kNativeCount> plans{};
  for (const NativeSignature& sig : NativeSignatures()) {
    ArgPlan& plan = plans[static_cast<std::size_t>(sig.id)];
    for (std::size_t i = 0; i < sig.argc; ++i) {
      switch (sig.args[i]) {
        case ArgKind::Int:
        case ArgKind::Hash:
        case ArgKind::Handle:
        case ArgKind::Float:
          plan.limit[i] = 0xFFFFFFFFu;
          break;
        case ArgKind::Bool:
          plan.limit[i] = 1;
          break;
        case ArgKind::String:
        case ArgKind::TextOrNull:
        case ArgKind::HandleRef:
        case ArgKind::Speech:
          plan.addresses = true;
          plan.limit[i] = ~std::uint64_t{0};
          break;
        case ArgKind::Text:
          plan.limit[i] = ~std::uint64_t{0};
          break;
      }
    }
  }
  return plans;
}

const std::array<ArgPlan, kNativeCount> kPlans = MakePlans();

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
}

// A failing script is stopped where it stands and never resumed. Called only once the
// message's strings are gone: whatever is still on the abandoned stack is never freed.
void Host::Halt() {
  if (fiber_ && fiber_->Running()) fiber_->Yield();
}

void Host::Register(void* module, void (*script)()) {
  if (script == nullptr) {
    Fail("scriptRegister called without a script function");
    return Halt();
  }
  if (script_ != nullptr) {
    Fail("scriptRegister called twice without scriptUnregister");
    return Halt();
  }
  module_ = module;
  script_ = script;
}

void Host::Unregister(void* module) {
  if (script_ == nullptr || module != module_) return;
  if (fiber_ && fiber_->Running()) {
    Fail("scriptUnregister called from inside the script");
    return Halt();
  }
  fiber_.reset();
  script_ = nullptr;
  module_ = nullptr;
  waiting_ = false;
}

void Host::RestartScript(bool reload) {
  if (script_ == nullptr || Failed()) return;
  fiber_.reset();
  waiting_ = false;
  invoking_ = false;
  for (TraceSink* sink : sinks_) sink->OnScriptRestart(frame_ + 1, game_.Clock(), reload);
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
  scriptRunning_ = true;
  fiber_->Resume();
  scriptRunning_ = false;
  if (fiber_ && fiber_->Finished() && !Failed()) Fail("the script function returned");
}

void Host::Wait(std::uint32_t ms) {
  if (!fiber_ || !fiber_->Running()) return Fail("scriptWait called outside the script");
  if (invoking_) {
    Fail(Where() + ": scriptWait called in the middle of an invocation");
    return Halt();
  }
  waiting_ = true;
  waitMs_ = ms;
  waitStart_ = game_.Clock();
  for (TraceSink* sink : sinks_) sink->OnWait(frame_, waitStart_, ms);
  fiber_->Yield();
}

void Host::Init(std::uint64_t hash) {
  const NativeSignature* sig = FindSignature(hash);
  if (sig == nullptr || invoking_ || !scriptRunning_) [[unlikely]] {
    return RefuseInit(hash);
  }
  call_.sig = sig;
  call_.argc = 0;
  const ArgPlan& plan = kPlans[static_cast<std::size_t>(sig->id)];
  argLimits_ = plan.limit.data();
  argAddresses_ = plan.addresses;
  argOverLimit_ = false;
  invoking_ = true;
}

// The refusals are kept out of the functions every call goes through, so that those stay a
// handful of instructions.
void Host::RefuseInit(std::uint64_t hash) {
  if (!fiber_ || !fiber_->Running()) {
    return Fail("native " + Hex(hash) + " invoked outside the script (frame " +
                std::to_string(frame_) + ")");
  }
  if (invoking_) {
    Fail(Where() + ": nativeInit before the previous invocation was called");
  } else {
    Fail("frame " + std::to_string(frame_) + ": unknown native hash " + Hex(hash));
  }
  Halt();
}

void Host::RefusePush() {
  if (!invoking_) {
    Fail(Where() + ": nativePush64 without nativeInit");
  } else {
    Fail(Where() + ": more than " + std::to_string(call_.sig->argc) + " arguments pushed");
  }
  Halt();
}

std::uint64_t* Host::Call() {
  if (!invoking_) [[unlikely]] {
    RefuseCall();
    return nullArea_;
  }
  // A call with no address to look behind and every value within its slot's limit is sound.
  if (call_.argc != call_.sig->argc || argOverLimit_ || argAddresses_) [[unlikely]] {
    if (!CheckArguments()) return nullArea_;
  }
  invoking_ = false;
  ++callCount_;
  lastNative_ = call_.sig->id;

  call_.result[0] = call_.result[1] = call_.result[2] = 0;
  call_.finding = HandleFinding{};
  const bool unknown = noResultArea_[static_cast<std::size_t>(call_.sig->id)];
  if (!unknown) [[likely]] {
    game_.Invoke(call_.sig->id, call_);
  }
  if (!sinks_.empty()) ReportCall();
  if (++callsSinceResume_ % kWatchdogStride == 0 && WatchdogExpired()) [[unlikely]] {
    return nullArea_;
  }
  return unknown ? nullptr : call_.result;
}

void Host::ReportCall() {
  const CallEvent event{frame_, game_.Clock(), call_, refBefore_};
  for (TraceSink* sink : sinks_) sink->OnCall(event);
}

bool Host::WatchdogExpired() {
  if (std::chrono::steady_clock::now() - resumedAt_ <= watchdog_) return false;
  StopRunaway();
  return true;
}

void Host::RefuseCall() {
  Fail(Where() + ": nativeCall without nativeInit");
  Halt();
}

void Host::StopRunaway() {
  Fail(Where() + ": the script ran for more than " + std::to_string(watchdog_.count()) +
       " ms without yielding; the last native called was " + call_.sig->name);
  Halt();
}

namespace detail {
Host* activeHost = nullptr;
}

void SetActiveHost(Host* host) { detail::activeHost = host; }

}  // namespace sim
