#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

#include "sim/host/script_fiber.h"

// GCC says so with a macro, clang only through __has_feature.
#if defined(__SANITIZE_ADDRESS__)
#define CAMPFIRE_ASAN_FIBERS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define CAMPFIRE_ASAN_FIBERS 1
#endif
#endif
#if CAMPFIRE_ASAN_FIBERS
#include <sanitizer/asan_interface.h>
#include <sanitizer/common_interface_defs.h>
#endif

// On x86-64 the switch is a few instructions of our own: swapcontext saves and restores
// the signal mask with two system calls per switch, two switches per frame, which is
// most of what a frame of the simulator costs. Elsewhere ucontext does the work.
#if defined(__x86_64__)
#define CAMPFIRE_OWN_SWITCH 1
#else
#include <ucontext.h>
#endif

#if CAMPFIRE_OWN_SWITCH
// Saves the callee-saved registers and the floating-point control words on the current
// stack, stores the stack pointer in *from, and resumes the stack saved in `to`.
extern "C" void campfire_fiber_switch(void** from, void* to);
asm(R"(
  .text
  .p2align 4
  .globl campfire_fiber_switch
  .hidden campfire_fiber_switch
  .type campfire_fiber_switch, @function
campfire_fiber_switch:
  pushq %rbp
  pushq %rbx
  pushq %r12
  pushq %r13
  pushq %r14
  pushq %r15
  subq $8, %rsp
  stmxcsr (%rsp)
  fnstcw 4(%rsp)
  movq %rsp, (%rdi)
  movq %rsi, %rsp
  ldmxcsr (%rsp)
  fldcw 4(%rsp)
  addq $8, %rsp
  popq %r15
  popq %r14
  popq %r13
  popq %r12
  popq %rbx
  popq %rbp
  ret
  .size campfire_fiber_switch, .-campfire_fiber_switch
)");
#endif

namespace sim {

namespace {
#if CAMPFIRE_OWN_SWITCH
// The saved frame campfire_fiber_switch pops, lowest address first.
struct InitialFrame {
  std::uint32_t mxcsr;
  std::uint16_t fpuControl;
  std::uint16_t padding;
  std::uint64_t r15, r14, r13, r12, rbx, rbp;
  void (*entry)();
  std::uint64_t noReturn;  // where `entry` would return to; it never does
};
static_assert(sizeof(InitialFrame) == 72);
constexpr std::uint32_t kDefaultMxcsr = 0x1F80;  // all exceptions masked, round to nearest
constexpr std::uint16_t kDefaultFpuControl = 0x037F;
#endif
}  // namespace

struct ScriptFiber::Impl {
  Entry entry = nullptr;
#if CAMPFIRE_OWN_SWITCH
  void* hostStack = nullptr;
  void* scriptStack = nullptr;
#else
  ucontext_t hostContext{};
  ucontext_t scriptContext{};
#endif
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

  // Only one fiber starts at a time on a thread: the entry finds its fiber here.
  static thread_local Impl* starting;

  static void Run(Impl* self) {
#if CAMPFIRE_ASAN_FIBERS
    __sanitizer_finish_switch_fiber(nullptr, &self->hostStackBottom, &self->hostStackSize);
#endif
    self->entry();
    self->finished = true;
    self->SwitchToHost(true);
  }

#if CAMPFIRE_OWN_SWITCH
  static void Start() {
    Run(starting);
    std::abort();  // a finished script is never resumed
  }
#else
  static void Trampoline() {
    Run(starting);
    std::abort();
  }
#endif

  void SwitchToHost(bool leavingForGood) {
    running = false;
#if CAMPFIRE_ASAN_FIBERS
    __sanitizer_start_switch_fiber(leavingForGood ? nullptr : &scriptFakeStack, hostStackBottom,
                                   hostStackSize);
#else
    (void)leavingForGood;
#endif
#if CAMPFIRE_OWN_SWITCH
    campfire_fiber_switch(&scriptStack, hostStack);
#else
    swapcontext(&scriptContext, &hostContext);
#endif
#if CAMPFIRE_ASAN_FIBERS
    __sanitizer_finish_switch_fiber(scriptFakeStack, &hostStackBottom, &hostStackSize);
#endif
    running = true;
  }

  void Prepare() {
#if CAMPFIRE_OWN_SWITCH
    auto top = reinterpret_cast<std::uintptr_t>(stackBase + stackBytes) & ~std::uintptr_t{15};
    // As if `Start` had been called: its return address slot sits 8 below a 16-byte boundary.
    auto* frame = reinterpret_cast<InitialFrame*>(top - sizeof(InitialFrame));
    *frame = InitialFrame{};
    frame->mxcsr = kDefaultMxcsr;
    frame->fpuControl = kDefaultFpuControl;
    frame->entry = &Start;
    scriptStack = frame;
#else
    getcontext(&scriptContext);
    scriptContext.uc_stack.ss_sp = stackBase;
    scriptContext.uc_stack.ss_size = stackBytes;
    scriptContext.uc_link = nullptr;
    makecontext(&scriptContext, &Trampoline, 0);
#endif
  }

  void SwitchToScript() {
#if CAMPFIRE_OWN_SWITCH
    campfire_fiber_switch(&hostStack, scriptStack);
#else
    swapcontext(&hostContext, &scriptContext);
#endif
  }
};

thread_local ScriptFiber::Impl* ScriptFiber::Impl::starting = nullptr;

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
#if CAMPFIRE_ASAN_FIBERS
  // Its frames never returned, so their redzones are still marked; a stack mapped here
  // later would inherit them and report its own fresh frames.
  ASAN_UNPOISON_MEMORY_REGION(impl_->stackBase, impl_->stackBytes);
#endif
  munmap(impl_->mapping, impl_->mappingBytes);
}

void ScriptFiber::Resume() {
  Impl& s = *impl_;
  if (s.finished || s.running) return;
  if (!s.started) {
    s.started = true;
    s.Prepare();
    Impl::starting = &s;
  }
  s.running = true;
#if CAMPFIRE_ASAN_FIBERS
  __sanitizer_start_switch_fiber(&s.hostFakeStack, s.stackBase, s.stackBytes);
#endif
  s.SwitchToScript();
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
