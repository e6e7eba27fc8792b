#include <windows.h>
// windows.h defines Yield away as an empty macro.
#undef Yield

#include <cstdint>
#include <cstdlib>

#include "sim/host/script_fiber.h"

namespace sim {

struct ScriptFiber::Impl {
  Entry entry = nullptr;
  void* scriptFiber = nullptr;
  void* hostFiber = nullptr;  // whoever resumed the script last
  // The script's stack, learnt from inside the fiber on its first run.
  std::uintptr_t stackLow = 0;
  std::uintptr_t stackHigh = 0;
  bool finished = false;
  bool running = false;

  static void CALLBACK Start(void* parameter) {
    auto* self = static_cast<Impl*>(parameter);
    self->LearnStack();
    self->entry();
    self->finished = true;
    // A fiber function must never return: that would end the whole thread.
    for (;;) self->SwitchToHost();
  }

  void LearnStack() {
    ULONG_PTR low = 0;
    ULONG_PTR high = 0;
    GetCurrentThreadStackLimits(&low, &high);
    stackLow = low;
    stackHigh = high;
  }

  void SwitchToHost() {
    running = false;
    SwitchToFiber(hostFiber);
    running = true;
  }
};

namespace {

// The thread that runs the host must itself be a fiber before it can switch to one.
void* CurrentThreadAsFiber() {
  static thread_local void* threadFiber = nullptr;
  if (threadFiber == nullptr) threadFiber = ConvertThreadToFiber(nullptr);
  if (threadFiber == nullptr) std::abort();
  return threadFiber;
}

}  // namespace

ScriptFiber::ScriptFiber(Entry entry, std::size_t stackBytes) : impl_(std::make_unique<Impl>()) {
  impl_->entry = entry;
  // All of the stack committed up front, as the POSIX side maps it whole.
  impl_->scriptFiber = CreateFiberEx(stackBytes, stackBytes, 0, &Impl::Start, impl_.get());
  if (impl_->scriptFiber == nullptr) std::abort();
}

ScriptFiber::~ScriptFiber() {
  // The script is dropped where it stands, as the host drops an unregistered script.
  DeleteFiber(impl_->scriptFiber);
}

void ScriptFiber::Resume() {
  Impl& s = *impl_;
  if (s.finished || s.running) return;
  s.hostFiber = CurrentThreadAsFiber();
  s.running = true;
  SwitchToFiber(s.scriptFiber);
  s.running = false;
}

void ScriptFiber::Yield() { impl_->SwitchToHost(); }

bool ScriptFiber::Finished() const { return impl_->finished; }
bool ScriptFiber::Running() const { return impl_->running; }

bool ScriptFiber::OnStack(const void* address, std::size_t bytes) const {
  const auto a = reinterpret_cast<std::uintptr_t>(address);
  return impl_->stackLow != 0 && a >= impl_->stackLow && a + bytes <= impl_->stackHigh;
}

}  // namespace sim
