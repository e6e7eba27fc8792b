// The simulated ScriptHookRDR2: runs the plugin's script frame by frame, checks every
// native invocation against the native's signature and hands it to the world.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "sim/host/game.h"
#include "sim/host/native_call.h"
#include "sim/host/script_fiber.h"
#include "sim/host/trace.h"

namespace sim {

class Host {
 public:
  explicit Host(Game& game);
  ~Host();
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  // --- the six functions the plugin imports ---
  void Register(void* module, void (*script)());
  void Unregister(void* module);
  void Wait(std::uint32_t ms);
  void Init(std::uint64_t hash);
  // Inline: the plugin pushes four or five arguments a call, hundreds a frame.
  void Push(std::uint64_t value) {
    if (!invoking_ || call_.argc >= call_.sig->argc) [[unlikely]] {
      return RefusePush();
    }
    // Checked against the slot's limit as it comes, so that Call need not go over the slots.
    argOverLimit_ |= value > argLimits_[call_.argc];
    call_.slot[call_.argc++] = value;
  }
  std::uint64_t* Call();

  // --- driven by the runner ---
  // Starts or resumes the script if it is due in this frame; returns when it yields.
  void RunFrame(std::uint64_t frame);
  std::uint64_t Frame() const { return frame_; }
  bool Registered() const { return script_ != nullptr; }
  bool Failed() const { return !error_.empty(); }
  const std::string& Error() const { return error_; }
  // Drops the script's fiber where it stands, without unwinding anything on its stack, and
  // calls the registered script function again on a fresh fiber in the next frame, as the
  // host does after the game reloads (`reload`) or when it restarts its scripts.
  void RestartScript(bool reload);
  // How long a single resume may run before the host gives up on the script.
  void SetWatchdog(std::chrono::milliseconds limit) { watchdog_ = limit; }

  // A host that does not know a native's hash: the call is checked and traced, the game
  // never runs it, and nativeCall hands back no result area (a null pointer).
  void WithoutResultArea(NativeId id) { noResultArea_[static_cast<std::size_t>(id)] = true; }

  void AddSink(TraceSink* sink);
  void RemoveSink(TraceSink* sink);

  // The script's pending wait: what it asked for and since when.
  bool Waiting() const { return waiting_; }
  std::uint32_t WaitMs() const { return waitMs_; }
  std::int32_t WaitStart() const { return waitStart_; }
  // Native calls made by the script so far.
  std::uint64_t CallCount() const { return callCount_; }
  NativeId LastNative() const { return lastNative_; }

 private:
  void Fail(const std::string& what);
  void Halt();
  [[gnu::cold, gnu::noinline]] void RefuseInit(std::uint64_t hash);
  [[gnu::cold, gnu::noinline]] void RefusePush();
  bool CheckArguments();
  [[gnu::noinline]] bool ArgumentOk(int i);
  [[gnu::cold, gnu::noinline]] bool RefuseArgument(int i);
  [[gnu::cold, gnu::noinline]] void RefuseCall();
  [[gnu::cold, gnu::noinline]] void StopRunaway();
  // Out of Call, which every invocation goes through.
  [[gnu::noinline]] void ReportCall();
  [[gnu::noinline]] bool WatchdogExpired();
  std::string Where() const;

  Game& game_;
  void* module_ = nullptr;
  void (*script_)() = nullptr;
  std::unique_ptr<ScriptFiber> fiber_;
  std::vector<TraceSink*> sinks_;
  std::string error_;

  std::uint64_t frame_ = 0;
  bool waiting_ = false;
  std::uint32_t waitMs_ = 0;
  std::int32_t waitStart_ = 0;

  bool scriptRunning_ = false;  // the script has control (mirrors the fiber, read per call)
  bool invoking_ = false;
  NativeCall call_;
  // The current native's largest value per slot, whether it takes addresses, and whether a
  // pushed value went over its slot's limit.
  const std::uint64_t* argLimits_ = nullptr;
  bool argAddresses_ = false;
  bool argOverLimit_ = false;
  std::int32_t refBefore_[kMaxArgs] = {};
  std::uint64_t nullArea_[3] = {};
  std::array<bool, kNativeCount> noResultArea_{};
  std::uint64_t callCount_ = 0;
  NativeId lastNative_ = NativeId::Count;

  std::chrono::milliseconds watchdog_{5000};
  std::chrono::steady_clock::time_point resumedAt_;
  std::uint32_t callsSinceResume_ = 0;
};

// The host the exported functions talk to; one at a time per process.
void SetActiveHost(Host* host);
namespace detail {
extern Host* activeHost;
}
// Read by the six exported functions at every call, so it is inline.
inline Host* ActiveHost() { return detail::activeHost; }

}  // namespace sim
