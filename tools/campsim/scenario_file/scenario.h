// A scenario: the world's settings and the player's steps, as a scenario file gives them
// and as the built-in camp tour and the soak make them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "sim/world/world.h"

namespace campsim {

struct WaitStep {
  std::int32_t ms;
};
struct TeleportStep {
  sim::Vec3 to;
};
// An hour, as the test harness's moves; a scenario file gives each move its own bound.
inline constexpr std::int64_t kMoveBoundMs = 3'600'000;

struct MoveStep {
  sim::Vec3 to;
  float unitsPerSecond;
  std::int64_t maxMs = kMoveBoundMs;  // the player stops where they are after this much
};
struct TargetStep {
  std::string name;  // a companion's name
};
struct ReleaseTargetStep {};
struct HoldStep {
  std::string control;
  std::int32_t ms;
};
// The control is down from now until a release step lets it up, as a button held by hand.
struct PressStep {
  std::string control;
};
struct ReleaseStep {
  std::string control;
};
// The player sets off toward `to` and keeps going there frame by frame, through the steps
// that follow, until there; a move, a teleport, a boarding, getting out, a reload or another
// go ends it. Without `to` (`{"go": null}`) the player stops.
struct GoStep {
  std::optional<sim::Vec3> to;
  float unitsPerSecond;
};
struct BoardStep {};
struct LeaveStep {};
// Faults: the game takes something away or lets something fail.
struct VanishStep {
  std::string name;  // a companion, "wagon" or "tent"
};
struct KillStep {
  std::string name;
};
struct NeverLoadsStep {
  std::uint32_t hash;
  std::string label;  // as the file wrote it
};
struct SilentLineStep {
  std::string line;
};
struct NewPlayerPedStep {};
// The game reloads: everything scripts made is gone, the player has a new ped (at `at`, or
// where the old one stood) and the host starts the script again.
struct ReloadStep {
  std::optional<sim::Vec3> at;
};
// The host restarts its scripts with the world kept.
struct RestartStep {};
// Another script sharing the world makes its next thing near the camp.
struct OtherScriptStep {};
// The game drops one of the plugin's prompts on its own.
struct DropPromptStep {};

using Step = std::variant<WaitStep, TeleportStep, MoveStep, TargetStep, ReleaseTargetStep, HoldStep,
                          PressStep, ReleaseStep, GoStep, BoardStep, LeaveStep, VanishStep,
                          KillStep, NeverLoadsStep, SilentLineStep, NewPlayerPedStep, ReloadStep,
                          RestartStep, OtherScriptStep, DropPromptStep>;

struct Scenario {
  std::string name;  // the file, or "camp tour"
  sim::WorldSettings world;
  std::vector<Step> steps;
  std::int64_t lengthMs = 0;  // the most game time the steps can take, when known
};

// For std::visit over the steps.
template <class... Ts>
struct Overloaded : Ts... {
  using Ts::operator()...;
};
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

// What the step does, in the timeline's words ("lock on to Charles").
std::string Describe(const Step& step);
std::string FormatPoint(sim::Vec3 p);

}  // namespace campsim
