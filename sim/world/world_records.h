// What tests and the scenario runner can inspect besides an entity's place: a ped's setup
// and task, a prompt, a blip, an objective event.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "sim/host/native_call.h"

namespace sim {

using Handle = std::int32_t;

enum class TaskKind : std::uint8_t {
  None,
  GoToCoord,
  GoStraightToCoord,
  Scenario,
  Wander,
  TurnToFace,
};

// The ped's current task, as given and as far as it has got. A finished task stays here,
// marked done, until the next one replaces it.
struct PedTask {
  TaskKind kind = TaskKind::None;
  bool done = false;
  Vec3 target{};                // where the ped is going (wander: the current leg's end)
  float unitsPerSecond = 0.0f;  // walking pace
  std::int32_t timeoutMs = -1;  // walks: -1 is none
  float heading = 0.0f;         // scenario heading; the straight walk's own argument
  std::uint32_t scenario = 0;
  std::int32_t scenarioMs = 0;  // scenario duration; 0 or less lasts until replaced
  bool usingScenario = false;
  Vec3 centre{};  // wander
  float radius = 0.0f;
  std::int32_t pauseMs = 0;  // wander: standing between legs
  Handle faced = 0;          // turn to face
  // World time (ms since the run began) at which the task or its current phase ends;
  // -1 is never.
  std::int64_t endsAt = -1;
  std::int64_t pauseUntil = 0;  // wander: standing until then
};

struct WeaponGift {
  std::uint32_t weapon = 0;
  std::int32_t ammo = 0;
  std::uint32_t ammoType = 0;
};

struct PedState {
  std::vector<WeaponGift> weapons;  // one per weapon; a second gift updates the first
  int weaponStrips = 0;             // calls of RemoveAllPedWeapons
  std::uint32_t outfit = 0;         // the outfit hash last applied
  std::uint32_t relationshipGroup = 0;
  std::vector<std::pair<std::int32_t, std::int32_t>> configFlags;  // flag, value; first-set order
  bool keepTask = false;
  bool blockingEvents = false;
  Handle vehicle = 0;  // the vehicle the ped sits in
  PedTask task;
  std::int64_t speechEndsAt = 0;  // world time; speaking while the world is before it

  std::optional<std::int32_t> ConfigFlag(std::int32_t flag) const {
    for (const auto& [f, value] : configFlags) {
      if (f == flag) return value;
    }
    return std::nullopt;
  }
};

struct PromptInfo {
  Handle handle = 0;
  bool foreign = false;     // made by another script
  bool registered = false;  // PromptRegisterEnd done
  std::int32_t group = 0;
  std::int32_t option = 0;
  std::string label;  // empty unless the text value came from CreateVarString
  std::uint32_t control = 0;
  std::int32_t priority = 0;
  bool holdMode = false;
  std::int32_t holdMs = 0;
  bool enabled = true;  // the game shows a new prompt enabled and visible
  bool visible = true;
  std::int32_t heldMs = 0;  // continuous hold so far
  bool holdCompleted = false;
};

struct BlipInfo {
  Handle handle = 0;
  bool foreign = false;  // made by another script
  std::uint32_t kind = 0;
  Handle entity = 0;  // the blip stays when its entity goes
  std::uint32_t sprite = 0;
  std::string name;
};

// A handle the plugin gave a native that does not take its kind, or another script's thing
// the plugin changed.
struct HandleFindingRecord {
  std::int32_t clock = 0;
  NativeId native = NativeId::Count;
  int arg = 0;  // counted from 0
  Handle handle = 0;
  std::uint8_t named = 0;  // the HandleKind it named
  bool foreign = false;
};

enum class ObjectiveEventKind : std::uint8_t { Text, CueA, CueB, CueC };

struct ObjectiveEvent {
  ObjectiveEventKind kind = ObjectiveEventKind::Text;
  std::int32_t clock = 0;
  std::string text;           // Text only
  std::int32_t args[3] = {};  // the cues' arguments, in order
};

}  // namespace sim
