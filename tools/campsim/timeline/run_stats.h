// Counts of a run for its summary: native calls in each frame the script ran, and the
// stalls, the longest kept with its cause.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace campsim {

// A time the script held itself inside its frame for more than a frame.
struct Stall {
  std::int64_t endMs = 0;  // since the run began
  std::int64_t lengthMs = 0;
  std::string cause;     // what it waited for, "Charles's model to load"
  bool ongoing = false;  // still waiting when the run ended
};

struct CallsPerFrame {
  std::uint32_t min = 0;
  std::uint32_t median = 0;
  std::uint32_t max = 0;
};

// Events worth counting over a long run.
struct EventCounts {
  std::uint64_t companionsCreated = 0;
  std::uint64_t exchanges = 0;
  std::uint64_t deliveries = 0;
};

class RunStats {
 public:
  EventCounts events;

  void CountCall(std::uint64_t frame);
  void CountWait(std::uint64_t frame);
  void AddStall(const Stall& stall);

  std::uint64_t Calls() const { return calls_; }
  std::uint64_t FramesRun() const;  // frames in which the script ran at all
  CallsPerFrame PerFrame() const;
  std::uint64_t StallCount() const { return stalls_; }
  const std::optional<Stall>& Longest() const { return longest_; }

 private:
  void Enter(std::uint64_t frame);

  std::uint64_t calls_ = 0;
  std::uint64_t frame_ = 0;
  bool inFrame_ = false;
  std::uint32_t callsThisFrame_ = 0;
  // Calls in a frame -> frames with that many; small and exact, however long the run.
  std::map<std::uint32_t, std::uint64_t> histogram_;
  std::uint64_t stalls_ = 0;
  std::optional<Stall> longest_;
};

}  // namespace campsim
