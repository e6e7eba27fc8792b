// Inside the world: the state every topic file works on, and what they share.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "sim/world/random.h"
#include "sim/world/world.h"

namespace sim {

struct LoadRecord {
  std::uint32_t hash = 0;
  bool requested = false;  // requested and not released since
  bool loaded = false;
  int polls = 0;  // since the request
};

struct OutfitRequest {
  std::uint32_t model = 0;
  std::uint32_t outfit = 0;
  int polls = 0;
  bool ready = false;
  bool released = false;
};

struct LineTiming {
  std::string lineName;
  bool silent = false;
  bool endless = false;  // starts and never ends, until the speaker says something else
  std::int32_t ms = 0;   // when neither
};

struct Relation {
  std::uint32_t from = 0;
  std::uint32_t to = 0;
  std::int32_t value = 0;
};

struct ScenarioPoint {
  Vec3 at{};
  float radius = 0.0f;
  std::uint32_t scenario = 0;
};

struct WorldState {
  explicit WorldState(const WorldSettings& s);

  WorldSettings settings;
  std::uint32_t clock;         // GetGameTimer's bits; wraps
  std::int64_t elapsedMs = 0;  // never wraps: deadlines are kept in it
  Random scriptRandom;         // GetRandomIntInRange
  Random worldRandom;          // the game's own choices, so they never shift the plugin's draws
  // One counter for entities, prompts and blips, so a handle never names two things at once.
  Handle nextHandle = 1000;
  // Numbers freed by a removal, given out again first when the world reuses handles.
  std::vector<Handle> freedHandles;

  // Live things, each vector in ascending handle order.
  std::vector<Entity> entities;
  std::vector<PromptInfo> prompts;
  std::vector<BlipInfo> blips;

  int failNext[4] = {};  // by EntityKind

  std::vector<LoadRecord> models;
  std::vector<LoadRecord> propsets;
  std::vector<OutfitRequest> outfits;  // request id = index + 1
  std::vector<std::uint32_t> neverLoads;

  Handle playerPed = 0;
  Handle lockOn = 0;
  std::vector<std::uint32_t> heldControls;
  struct TimedPress {
    std::uint32_t control;
    std::int32_t leftMs;
  };
  std::vector<TimedPress> timedPresses;

  std::vector<SpokenLine> spoken;
  std::vector<LineTiming> lineTimings;

  std::vector<std::string> texts;  // CreateVarString values, by index

  std::vector<std::string> objectivesShown;
  std::vector<ObjectiveEvent> objectiveEvents;

  std::vector<Relation> relations;
  std::vector<ScenarioPoint> scenarioPoints;

  // What the plugin did with handles that its natives do not take, or to another script's
  // things, in the order it happened.
  std::vector<HandleFindingRecord> findings;
  std::vector<UnownedDeletion> unownedDeletions;
  // Numbers proved since the script's last wait (made, read, found to exist, model read).
  std::vector<Handle> proved;
  std::vector<HeldCall> held;
  std::uint64_t heldCount = 0;
  std::array<std::uint64_t, kNativeCount> heldByNative{};
  std::int64_t promptDropDueMs = 0;

  // The most recently freed number goes to the next thing made, as a pool hands out the
  // slot it got back last.
  Handle NewHandle() {
    if (settings.reuseHandles && !freedHandles.empty()) {
      const Handle h = freedHandles.back();
      freedHandles.pop_back();
      return h;
    }
    return nextHandle++;
  }
  void FreeHandle(Handle h) {
    if (settings.reuseHandles) freedHandles.push_back(h);
  }
};

// A new record with a fresh handle, placed so the vector stays in handle order.
template <class Record>
Record& InsertWithNewHandle(WorldState& s, std::vector<Record>& records) {
  const Handle handle = s.NewHandle();
  auto it = std::lower_bound(records.begin(), records.end(), handle,
                             [](const Record& r, Handle h) { return r.handle < h; });
  Record& r = *records.insert(it, Record{});
  r.handle = handle;
  return r;
}

// Binary search in a vector kept in ascending handle order.
template <class Records>
auto* FindByHandle(Records& records, Handle handle) {
  auto it = std::lower_bound(records.begin(), records.end(), handle,
                             [](const auto& r, Handle h) { return r.handle < h; });
  return it != records.end() && it->handle == handle ? &*it : nullptr;
}

// Removes the record and frees its number.
template <class Record>
bool EraseByHandle(WorldState& s, std::vector<Record>& records, Handle handle) {
  auto it = std::lower_bound(records.begin(), records.end(), handle,
                             [](const Record& r, Handle h) { return r.handle < h; });
  if (it == records.end() || it->handle != handle) return false;
  records.erase(it);
  s.FreeHandle(handle);
  return true;
}

// entities.cpp
// Peds, vehicles and objects: what the entity natives know. A prop set's handle is not one.
Entity* FindEntity(WorldState& s, Handle handle);
const Entity* FindEntity(const WorldState& s, Handle handle);
// Any record of the entity table, prop sets included.
Entity* FindPlaced(WorldState& s, Handle handle);
const Entity* FindPlaced(const WorldState& s, Handle handle);
Entity* FindPropSet(WorldState& s, Handle handle);
Entity* FindPed(WorldState& s, Handle handle);
Entity& AddEntity(WorldState& s, EntityKind kind, std::uint32_t model, Vec3 at, float heading);
void RemoveEntity(WorldState& s, Handle handle);
// Whether the game refuses this creation (a fault set by FailNextCreations); counts it.
bool CreationRefused(WorldState& s, EntityKind kind);
void ClearReleased(WorldState& s);

// handle_kinds.cpp
// The kind of thing the number names now (0: nothing), and whether another script made it.
std::uint8_t KindNamed(const WorldState& s, Handle handle, bool* foreign = nullptr);
// Notes, on the call and in the world's findings, a handle argument of a kind the native
// does not take, or one naming another script's thing that the native changes.
void CheckHandles(WorldState& s, NativeCall& call);

// held.cpp
// Before the native runs: notes each act through a number not proved since the last wait.
void CheckHeld(WorldState& s, NativeCall& call);
// After it ran: the numbers it proved.
void NoteProofs(WorldState& s, const NativeCall& call);

// loading.cpp
bool ModelLoaded(const WorldState& s, std::uint32_t model);
bool NeverLoading(const WorldState& s, std::uint32_t hash);

// tasks.cpp
void AdvanceTasks(WorldState& s);
void StopTask(PedState& ped);

// speech.cpp
bool IsSpeaking(const WorldState& s, Handle ped);

// player.cpp
Handle LockOnTarget(const WorldState& s);  // 0 unless the target still exists
bool ControlHeld(const WorldState& s, std::uint32_t control);
// How much of the coming frame the control is down: all of it, part of it or none.
std::int32_t HeldThisFrameMs(const WorldState& s, std::uint32_t control);
void ExpireTimedPresses(WorldState& s);
void MovePlayer(WorldState& s, Vec3 to);  // the player's vehicle comes along

// prompts.cpp
// The game's own drop of a prompt, when the world is set to drop them.
void DropPromptsOnTime(WorldState& s);
std::int32_t PromptGroupOf(const WorldState& s, Handle entity);  // 0 for no entity
void AdvancePromptHolds(WorldState& s);
void ClearHolds(WorldState& s, std::uint32_t control);

}  // namespace sim
