#include "tools/campsim/scenario_file/bounds.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "sim/scenario/camp_places.h"
#include "tools/campsim/camp/clock_text.h"

namespace campsim {

namespace {

// A frame's step must span this many of the float's steps at the player's coordinates, so
// that rounding changes a move's pace by no more than a couple of percent.
constexpr double kFloatStepsPerFrame = 32.0;
// A move's bound allows for that rounding and for the frame in which it arrives.
constexpr double kPaceAllowance = 0.95;
constexpr double kStepOutOffset = 2.0;  // how far the world sets a player down beside a vehicle
// A frame of a scenario's run, plugin and world, as measured on the two-core machine.
constexpr double kSecondsPerFrame = 2.0e-6;

}  // namespace

// Where the player (or the wagon) can be: a box around every place it may have got to. Not
// in the anonymous namespace: RunBounds, declared in the header, holds two.
struct Extent {
  sim::Vec3 lo;
  sim::Vec3 hi;

  static Extent At(sim::Vec3 p) { return {p, p}; }
  void Add(const Extent& b) {
    lo = {std::min(lo.x, b.lo.x), std::min(lo.y, b.lo.y), std::min(lo.z, b.lo.z)};
    hi = {std::max(hi.x, b.hi.x), std::max(hi.y, b.hi.y), std::max(hi.z, b.hi.z)};
  }
  double Reach() const {
    return std::max({std::fabs(lo.x), std::fabs(lo.y), std::fabs(lo.z), std::fabs(hi.x),
                     std::fabs(hi.y), std::fabs(hi.z)});
  }
  double FarthestFrom(sim::Vec3 p) const {
    auto far = [](double low, double high, double x) { return std::max(x - low, high - x); };
    const double dx = far(lo.x, hi.x, p.x);
    const double dy = far(lo.y, hi.y, p.y);
    const double dz = far(lo.z, hi.z, p.z);
    return std::sqrt(dx * dx + dy * dy + dz * dz);
  }
};

namespace {

double Reach(sim::Vec3 p) { return std::max({std::fabs(p.x), std::fabs(p.y), std::fabs(p.z)}); }

// Rounded up to two significant digits, for a message the reader can copy.
double RoundUp(double x) {
  if (!(x > 0.0)) return x;
  const double scale = std::pow(10.0, std::floor(std::log10(x)) - 1.0);
  return std::ceil(x / scale) * scale;
}

std::string Duration(double ms) {
  if (ms < 1000.0 * static_cast<double>(kDayMs)) return FormatLong(static_cast<std::int64_t>(ms));
  return fmt::format("{:.2g} days", ms / static_cast<double>(kDayMs));
}

std::string Limit(std::int64_t ms) {
  return ms % kDayMs == 0 ? fmt::format("{} days", ms / kDayMs) : FormatLong(ms);
}

}  // namespace

class RunBounds {
 public:
  RunBounds(const sim::WorldSettings& world, const ScenarioLimits& limits)
      : frameMs_(world.frameMs),
        limits_(limits),
        player_(Extent::At(world.playerStart)),
        wagon_(Extent::At(sim::places::kWagonSpot)) {}

  // What is wrong with the step, or nothing.
  std::string Step(campsim::Step& step) {
    return std::visit(Overloaded{
                          [&](const WaitStep& s) { return Spend(s.ms, Frames(s.ms)); },
                          [&](const HoldStep& s) { return Spend(s.ms, Frames(s.ms)); },
                          [&](const TeleportStep& s) {
                            Arrive(s.to);
                            return std::string();
                          },
                          [&](MoveStep& s) { return Move(s); },
                          [&](const GoStep& s) { return Go(s); },
                          [&](const BoardStep&) {
                            player_.Add(wagon_);
                            maybeAboard_ = true;
                            return std::string();
                          },
                          [&](const LeaveStep&) {
                            Extent out = player_;
                            out.hi.x += static_cast<float>(kStepOutOffset);
                            player_.Add(out);
                            maybeAboard_ = false;
                            return std::string();
                          },
                          // After a reload the player is on foot, where the old ped stood or
                          // at the place given.
                          [&](const ReloadStep& s) {
                            maybeAboard_ = false;
                            if (s.at) player_ = Extent::At(*s.at);
                            return std::string();
                          },
                          // The rest take no game time and do not move the player.
                          [](const auto&) { return std::string(); },
                      },
                      step);
  }

  std::int64_t TotalMs() const { return static_cast<std::int64_t>(totalMs_); }
  double Frames() const { return frames_; }

 private:
  double Frames(double ms) const { return std::ceil(ms / frameMs_); }

  // The limit is held to the time the steps ask for; the length the run may take also
  // counts each step's last frame in full.
  std::string Spend(double askedMs, double frames) {
    if (askedMs_ + askedMs > static_cast<double>(limits_.maxLengthMs)) {
      return fmt::format(
          "the run would last {} of game time, more than the {} a scenario may run (--soak is "
          "for long runs)",
          Duration(askedMs_ + askedMs), Limit(limits_.maxLengthMs));
    }
    askedMs_ += askedMs;
    totalMs_ += frames * frameMs_;
    frames_ += frames;
    return {};
  }

  void Arrive(sim::Vec3 at) {
    player_ = Extent::At(at);
    if (maybeAboard_) wagon_.Add(player_);
  }

  std::string TooSlow(sim::Vec3 to, float unitsPerSecond) const {
    const double slowest = SlowestSpeed(std::max(player_.Reach(), Reach(to)), frameMs_);
    if (unitsPerSecond >= slowest) return {};
    return fmt::format(
        "\"speed\" {} is too slow to move the player at these coordinates in {} ms frames; the "
        "smallest here is {} units per second",
        unitsPerSecond, frameMs_, RoundUp(slowest));
  }

  // A go takes no time of its own; the player may then be anywhere on the way, during the
  // waits and holds that follow.
  std::string Go(const GoStep& s) {
    if (!s.to) return {};
    if (std::string e = TooSlow(*s.to, s.unitsPerSecond); !e.empty()) return e;
    player_.Add(Extent::At(*s.to));
    if (maybeAboard_) wagon_.Add(player_);
    return {};
  }

  std::string Move(MoveStep& s) {
    // As the world steps the player each frame.
    const float perFrame = s.unitsPerSecond * static_cast<float>(frameMs_) / 1000.0f;
    const double distance = player_.FarthestFrom(s.to);
    const std::string tooSlow = TooSlow(s.to, s.unitsPerSecond);
    double frames = 0.0;
    if (distance > 0.0 && perFrame > 0.0f) {
      frames = std::ceil(distance / (perFrame * kPaceAllowance)) + 1.0;
      if (std::string e = Spend(frames * frameMs_, frames); !e.empty()) return e;
    }
    if (!tooSlow.empty()) return tooSlow;
    s.maxMs = static_cast<std::int64_t>(frames) * frameMs_;
    Arrive(s.to);
    return {};
  }

  std::int32_t frameMs_;
  ScenarioLimits limits_;
  Extent player_;
  Extent wagon_;
  bool maybeAboard_ = false;
  double askedMs_ = 0.0;
  double totalMs_ = 0.0;
  double frames_ = 0.0;
};

namespace {

// A frame count, whole and far below 2^64, as "2,592,000,000".
std::string GroupedFrames(double frames) { return Grouped(static_cast<std::uint64_t>(frames)); }

// How long the frames take to run, at the pace measured in docs/performance.md.
std::string RunningTime(double frames) {
  const double seconds = frames * kSecondsPerFrame;
  if (seconds < 120.0) return fmt::format("{:.0f} seconds", seconds);
  if (seconds < 7200.0) return fmt::format("{:.0f} minutes", seconds / 60.0);
  return fmt::format("{:.0f} hours", seconds / 3600.0);
}

}  // namespace

double SlowestSpeed(double reach, std::int32_t frameMs) {
  auto at = static_cast<float>(reach);
  if (at < reach) at = std::nextafter(at, std::numeric_limits<float>::infinity());
  const double floatStep = std::nextafter(at, std::numeric_limits<float>::infinity()) - at;
  return kFloatStepsPerFrame * floatStep * 1000.0 / frameMs;
}

namespace {

std::string TooManyFrames(double frames, std::int32_t frameMs, const ScenarioLimits& limits) {
  if (frames <= static_cast<double>(limits.maxFrames)) return {};
  return fmt::format(
      "the run would take {} frames of {} ms, about {} to run; a scenario may take {} (a "
      "little over 30 days of 33 ms frames): give \"frame_ms\" a larger value or the steps "
      "less time",
      GroupedFrames(frames), frameMs, RunningTime(frames),
      Grouped(static_cast<std::uint64_t>(limits.maxFrames)));
}

}  // namespace

std::string BoundScenario(Scenario& scenario, const ScenarioLimits& limits) {
  RunBounds bounds(scenario.world, limits);
  for (std::size_t i = 0; i < scenario.steps.size(); ++i) {
    if (std::string e = bounds.Step(scenario.steps[i]); !e.empty()) {
      return fmt::format("step {}: {}", i + 1, e);
    }
  }
  if (std::string e = TooManyFrames(bounds.Frames(), scenario.world.frameMs, limits); !e.empty())
    return e;
  scenario.lengthMs = bounds.TotalMs();
  return {};
}

StepBounder::StepBounder(const sim::WorldSettings& world, const ScenarioLimits& limits)
    : bounds_(std::make_unique<RunBounds>(world, limits)),
      frameMs_(world.frameMs),
      limits_(limits) {}

StepBounder::~StepBounder() = default;

std::string StepBounder::Add(Step& step) {
  if (std::string e = bounds_->Step(step); !e.empty()) return e;
  return TooManyFrames(bounds_->Frames(), frameMs_, limits_);
}

}  // namespace campsim
