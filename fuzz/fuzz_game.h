// A game whose every answer comes from the fuzzer's bytes: handles real or made up,
// booleans in any 64-bit shape, positions and distances at the camp's thresholds or
// anywhere at all, random numbers outside the bounds asked for, loads that finish or
// never do, and a clock that moves by steps the bytes choose.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "sim/host/game.h"

namespace campfire_fuzz {

// The input read as a loop: when it runs out it starts again, so that a short input still
// decides every answer of thousands of frames.
class ByteLoop {
 public:
  ByteLoop(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::uint8_t Byte() {
    if (size_ == 0) return 0;
    const std::uint8_t b = data_[at_];
    at_ = at_ + 1 == size_ ? 0 : at_ + 1;
    return b;
  }
  std::uint32_t Word() {
    std::uint32_t w = 0;
    for (int i = 0; i < 4; ++i) w |= static_cast<std::uint32_t>(Byte()) << (8 * i);
    return w;
  }
  std::uint64_t Wide() { return Word() | static_cast<std::uint64_t>(Word()) << 32; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

class FuzzGame final : public sim::Game {
 public:
  FuzzGame(const std::uint8_t* data, std::size_t size);

  void Invoke(sim::NativeId id, sim::NativeCall& call) override;
  std::int32_t Clock() const override { return static_cast<std::int32_t>(clock_); }
  // Between frames: the clock moves on, and now and then the game reloads or the host
  // restarts its scripts.
  void AdvanceFrame();
  enum class Restart : std::uint8_t { None, Reload, KeepWorld };
  // What the host is to do before the next frame; asked once per frame.
  Restart TakeRestart();
  // The first handle the plugin gave a native that does not take its kind, in words; empty
  // while there is none. A number keeps the kind it was handed out as until a reload.
  const std::string& KindMismatch() const { return mismatch_; }

 private:
  std::uint64_t Truth();
  // A handle of `kind` (a sim::HandleKind; 0 for a number that names no thing): fresh, one
  // handed out before as the same kind, or a made-up one.
  std::int32_t Handle(std::uint8_t kind);
  std::int32_t Fresh(std::uint8_t kind);
  void CheckKinds(const sim::NativeCall& call);
  std::int32_t Random(std::int32_t lo, std::int32_t hi);
  float Distance(const sim::NativeCall& call);
  sim::Vec3 Position();
  float AnyFloat();
  void WriteBack(const sim::NativeCall& call, int arg, bool removal);

  ByteLoop bytes_;
  std::uint32_t clock_;
  std::int32_t player_ = 1;
  std::int32_t next_ = 1000;
  std::vector<std::int32_t> handedOut_;                   // the latest handles, to be named again
  std::unordered_map<std::int32_t, std::uint8_t> kinds_;  // what each was handed out as
  Restart restart_ = Restart::None;
  std::string mismatch_;
};

}  // namespace campfire_fuzz
