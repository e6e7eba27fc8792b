#include <sys/mman.h>
#include <ucontext.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

#include "sim/host/script_fiber.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#define CAMPFIRE_ASAN_FIBERS 1
#endif

namespace sim {

struct ScriptFiber::Impl {
  Entry entry = nullptr;
  ucontext_t hostContext{};
  ucontext_t scriptContext{};
  void* mapping = nullptr;
  std::size_t mappingBytes = 0;
  char* stackBase = nullptr;  // lowest usable address
  std::size_t stackBytes = 0;
  bool started = false;
  bool finished = false;
  bool running = false;
#if CAMPFIRE_ASAN_FIBERS
  void* hostFakeStack = nullptr;
  void* scriptFakeStack = nullptr;
  const void* hostStackBottom = nullptr;
  std::size_t hostStackSize = 0;
#endif

  static void Trampoline(unsigned int high, unsigned int low) {
    auto* self = reinterpret_cast<Impl*>((static_cast<std::uintptr_t>(high) << 32) | low);
#if CAMPFIRE_ASAN_FIBERS
    __sanitizer_finish_switch_fiber(nullptr, &self->hostStackBottom, &self->hostStackSize);
#endif
    self->entry();
    self->finished = true;
    self->SwitchToHost(true);
  }

  void SwitchToHost(bool leavingForGood) {
    running = false;
#if CAMPFIRE_ASAN_FIBERS
    __sanitizer_start_switch_fiber(leavingForGood ? nullptr : &scriptFakeStack, hostStackBottom,
                                   hostStackSize);
#else
    (void)leavingForGood;
#endif
    swapcontext(&scriptContext, &hostContext);
#if CAMPFIRE_ASAN_FIBERS
    __sanitizer_finish_switch_fiber(scriptFakeStack, &hostStackBottom, &hostStackSize);
#endif
    running = true;
  }
};

ScriptFiber::ScriptFiber(Entry entry, std::size_t stackBytes) : impl_(std::make_unique<Impl>()) {
  const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  stackBytes = (stackBytes + page - 1) / page * page;
  impl_->entry = entry;
  impl_->mappingBytes = stackBytes + page;
  impl_->mapping = mmap(nullptr, impl_->mappingBytes, PROT_READ | PROT_WRITE,
                        MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (impl_->mapping == MAP_FAILED) std::abort();
  // A guard page below the stack turns an overflow into a crash, not corruption.
  mprotect(impl_->mapping, page, PROT_NONE);
  impl_->stackBase = static_cast<char*>(impl_->mapping) + page;
  impl_->stackBytes = stackBytes;
}

ScriptFiber::~ScriptFiber() {
  // The script is dropped where it stands, as the host drops an unregistered script.
  munmap(impl_->mapping, impl_->mappingBytes);
}

void ScriptFiber::Resume() {
  Impl& s = *impl_;
  if (s.finished || s.running) return;
  if (!s.started) {
    s.started = true;
    getcontext(&s.scriptContext);
    s.scriptContext.uc_stack.ss_sp = s.stackBase;
    s.scriptContext.uc_stack.ss_size = s.stackBytes;
    s.scriptContext.uc_link = nullptr;
    const auto self = reinterpret_cast<std::uintptr_t>(&s);
    makecontext(&s.scriptContext, reinterpret_cast<void (*)()>(&Impl::Trampoline), 2,
                static_cast<unsigned int>(self >> 32), static_cast<unsigned int>(self));
  }
  s.running = true;
#if CAMPFIRE_ASAN_FIBERS
  __sanitizer_start_switch_fiber(&s.hostFakeStack, s.stackBase, s.stackBytes);
#endif
  swapcontext(&s.hostContext, &s.scriptContext);
#if CAMPFIRE_ASAN_FIBERS
  __sanitizer_finish_switch_fiber(s.hostFakeStack, nullptr, nullptr);
#endif
  s.running = false;
}

void ScriptFiber::Yield() { impl_->SwitchToHost(false); }

bool ScriptFiber::Finished() const { return impl_->finished; }
bool ScriptFiber::Running() const { return impl_->running; }

bool ScriptFiber::OnStack(const void* address, std::size_t bytes) const {
  const auto a = reinterpret_cast<std::uintptr_t>(address);
  const auto lo = reinterpret_cast<std::uintptr_t>(impl_->stackBase);
  return a >= lo && a + bytes <= lo + impl_->stackBytes;
}

}  // namespace sim
