#include "tools/campsim/timeline/run_stats.h"

namespace campsim {

void RunStats::Enter(std::uint64_t frame) {
  if (inFrame_ && frame == frame_) return;
  if (inFrame_) ++histogram_[callsThisFrame_];
  inFrame_ = true;
  frame_ = frame;
  callsThisFrame_ = 0;
}

void RunStats::CountCall(std::uint64_t frame) {
  Enter(frame);
  ++callsThisFrame_;
  ++calls_;
}

void RunStats::CountWait(std::uint64_t frame) { Enter(frame); }

void RunStats::AddStall(const Stall& stall) {
  ++stalls_;
  if (!longest_ || stall.lengthMs > longest_->lengthMs) longest_ = stall;
}

std::uint64_t RunStats::FramesRun() const {
  std::uint64_t frames = inFrame_ ? 1 : 0;
  for (const auto& [calls, count] : histogram_) frames += count;
  return frames;
}

CallsPerFrame RunStats::PerFrame() const {
  std::map<std::uint32_t, std::uint64_t> all = histogram_;
  if (inFrame_) ++all[callsThisFrame_];
  if (all.empty()) return {};
  std::uint64_t total = 0;
  for (const auto& [calls, count] : all) total += count;
  CallsPerFrame result{all.begin()->first, 0, all.rbegin()->first};
  std::uint64_t seen = 0;
  for (const auto& [calls, count] : all) {
    seen += count;
    if (2 * seen >= total) {
      result.median = calls;
      break;
    }
  }
  return result;
}

}  // namespace campsim
