// The plugin's script runs on a stack of its own and hands control back at every wait,
// as the real host runs it.
#pragma once

#include <cstddef>
#include <memory>

namespace sim {

class ScriptFiber {
 public:
  using Entry = void (*)();

  ScriptFiber(Entry entry, std::size_t stackBytes);
  ~ScriptFiber();
  ScriptFiber(const ScriptFiber&) = delete;
  ScriptFiber& operator=(const ScriptFiber&) = delete;

  // Host side: runs the script until it yields or its function returns.
  void Resume();
  // Script side: back to whoever resumed it.
  void Yield();

  bool Finished() const;
  bool Running() const;  // true while the script has control
  // Whether an address lies on the script's own stack.
  bool OnStack(const void* address, std::size_t bytes) const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace sim
