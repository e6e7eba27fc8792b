// The simulated game world: the state the natives act on, advanced one frame at a time.
// Deterministic for a given seed and sequence of actions, with the same bits on every
// platform. Entities, prop sets, prompts and blips take handles from one counter starting
// at 1000, so a number never names two things at once; whether a freed number is given out
// again is a setting.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/host/game.h"
#include "sim/host/native_call.h"
#include "sim/host/native_id.h"
#include "sim/world/world_records.h"

namespace sim {

struct WorldSettings {
  std::uint64_t seed = 1;
  std::int32_t startClock = 100000;  // GetGameTimer at the first frame
  std::int32_t frameMs = 33;
  int loadPolls = 3;             // polls of a model, prop set or outfit before it is ready
  std::int32_t speechMs = 2500;  // how long a spoken line lasts
  Vec3 playerStart{-1400.0f, -1600.0f, 80.0f};
  // A ped or vehicle a script has released (DismissPed, DeleteVehicle) stays, doing what
  // it did, until the player is farther from it than this. The game's own distance is not
  // known; this is an assumption.
  float releaseRange = 300.0f;
  std::uint32_t playerModel = 0x3B599EAAu;  // JoaatHash("player_ped")
  // Whether a freed handle number goes to the next thing made, as the game's pools may hand
  // a slot out again. How soon the game does so is not known; reusing at once is the
  // harshest case for a script that keeps numbers.
  bool reuseHandles = false;
  // Whether releasing a ped or vehicle (DismissPed, DeleteVehicle) writes 0 into the
  // caller's variable, as the deleting natives do. Not known; a script must work either way.
  bool releaseZeroes = false;
  // How often another script sharing the world makes or removes a thing of its own near the
  // camp (0: it does not). Run by the simulation, which knows the camp.
  std::int32_t otherScriptEveryMs = 0;
  // Whether the camp's work spots (Charles's wood pile and his seat) hold scenario points, so
  // that the game sets him to work when his walk ends there. The game's camp has such places;
  // where exactly and how near a ped must come is not known: an assumption. Placed by the
  // simulation, which knows the camp.
  bool campScenarioPoints = true;
  // What DeleteEntity does with an entity that is not the caller's mission entity: nothing,
  // or release it to the game, which clears it once the player is far. Not known; either
  // way the thing stays for now.
  bool unownedDeleteReleases = false;
  // Whether the game removes a blip with the entity it was put on. Not known. Kept, a blip
  // a script forgets stays on the map, where a player and the soak's count see it; removed,
  // its number is free for another blip.
  bool blipGoesWithEntity = false;
  // How often the game drops one of the plugin's prompts on its own (0: never). Whether it
  // ever does is not known.
  std::int32_t promptDropEveryMs = 0;
  // Whether a prop set's request counts among the requests never released, as a model's
  // does. Off, a run's "never released" speaks of models and outfits only.
  bool trackPropsetRequests = false;
  // Whether the player's new ped after a reload takes the old ped's number. The game's
  // choice is not known; a script must not take the same number for the same world.
  bool reloadKeepsPlayerNumber = false;
};

struct WorldState;

// Where the world's two random streams stand: the plugin's draws and the game's own.
struct RandomStreams {
  std::uint64_t script = 0;
  std::uint64_t world = 0;
};

enum class EntityKind : std::uint8_t { Ped, Vehicle, Object, Propset };

// Whose mission entity a thing is: the plugin's (made or claimed by it), another script's,
// or nobody's (released, or the game's own, such as the player's ped).
enum class Owner : std::uint8_t { Plugin, OtherScript, Nobody };

// What another script that shares the world makes.
enum class ForeignKind : std::uint8_t { Ped, Vehicle, Object, Prompt, Blip };

struct Entity {
  Handle handle = 0;
  EntityKind kind = EntityKind::Ped;
  std::uint32_t model = 0;
  Vec3 position{};
  float heading = 0.0f;
  Vec3 rotation{};
  bool dead = false;
  std::string name;                     // SetPedPromptName
  PedState ped;                         // peds only
  std::vector<std::uint32_t> propsets;  // vehicles only: AddPropsetToVehicle
  bool released = false;                // no script needs it: the game clears it when far
  bool foreign = false;                 // made by another script
  Owner owner = Owner::Plugin;
};

// A DeleteEntity of an entity that was not the plugin's mission entity: nothing removed.
struct UnownedDeletion {
  std::int32_t clock = 0;
  Handle handle = 0;
  Owner owner = Owner::Nobody;
};

// A call that acted through a number with no proof since the script's last wait.
struct HeldCall {
  std::int32_t clock = 0;
  NativeId native = NativeId::Count;
  int arg = 0;  // counted from 0
  Handle handle = 0;
};

// One line a ped was asked to speak.
struct SpokenLine {
  std::int32_t clock = 0;
  Handle speaker = 0;
  // Copies of the plugin's texts; a null pointer, which the game would not take, is "(null)".
  std::string lineName;
  std::string secondName;
  std::int32_t variation = 0;
  std::uint32_t paramsHash = 0;
  std::int32_t options[3] = {};
  bool silent = false;  // never heard: a SilentLine, or a speaker dead or gone
};

class World final : public Game {
 public:
  explicit World(const WorldSettings& settings);
  ~World();
  World(const World&) = delete;
  World& operator=(const World&) = delete;

  // The host hands every checked invocation here; the world fills call.result.
  void Invoke(NativeId id, NativeCall& call) override;

  // One frame of game time: the clock, walking and scenarios, prompt holds. Speech and
  // time-outs are measured against the time it adds up.
  void AdvanceFrame();
  std::int32_t Clock() const override;
  const WorldSettings& Settings() const;

  // --- the player ---
  Handle PlayerPed() const;
  Vec3 PlayerPosition() const;
  void TeleportPlayer(Vec3 to);
  // Moves the player (and the vehicle it sits in) one frame towards a point; true on arrival.
  bool StepPlayerToward(Vec3 to, float unitsPerSecond);
  bool BoardVehicle(Handle vehicle);  // false if there is no such vehicle
  void LeaveVehicle();
  Handle PlayerVehicle() const;                 // 0 on foot
  void LockOn(Handle entity);                   // 0 releases the lock-on
  Handle LockOnTarget() const;                  // 0 once the target no longer exists
  void HoldControl(std::uint32_t controlHash);  // held until released
  void ReleaseControl(std::uint32_t controlHash);
  // Down for `ms` of game time from the next frame on, then up by itself. A prompt hold it
  // completes, even within its last frame, is seen by the script in the frame after.
  void PressControl(std::uint32_t controlHash, std::int32_t ms);
  Handle ReplacePlayerPed();  // the player's ped becomes a new one; returns it

  // --- reloads ---
  // Everything scripts made (peds, vehicles, objects, prop sets, prompts, blips, loads and
  // requests) is gone; the player has a new ped at `playerAt`, by default where the old one
  // stood, with no lock-on and no control held. The clock and random streams go on.
  void Reload(std::optional<Vec3> playerAt = std::nullopt);
  RandomStreams Streams() const;
  // Sets both streams, so that another world can be made to draw as this one will.
  void SetStreams(const RandomStreams& streams);

  // --- faults ---
  void NeverLoads(std::uint32_t modelPropsetOrOutfitHash);
  // The next count creations of that kind (CreatePed, CreateVehicle, CreateObject,
  // CreatePropset) return 0. NeverLoads also makes CreateObject of that model return 0.
  void FailNextCreations(EntityKind kind, int count);
  void Vanish(Handle entity);  // deleted by the game
  void Kill(Handle ped);       // dead: its task stops, it falls silent, it takes no more
  void SilentLine(std::string_view lineName);  // never starts: silent at once
  void LineDuration(std::string_view lineName, std::int32_t ms);
  void EndlessLine(std::string_view lineName);  // starts and never ends
  void DropPrompt(Handle prompt);
  // Drops one of the plugin's live prompts, chosen by the game's random stream; the
  // prompt's handle, 0 if it has none.
  Handle DropAPrompt();

  // --- another script sharing the world ---
  // Makes a thing of its own (a ped or vehicle of `model` at `at`, an object, a prompt, or a
  // blip on the entity `on`); returns its handle, 0 if it could not.
  Handle OtherScriptMakes(ForeignKind kind, std::uint32_t model, Vec3 at, Handle on = 0);
  // Removes one of its own things; false if the handle names nothing of its own.
  bool OtherScriptRemoves(Handle handle);
  // Its things still alive, in handle order.
  std::vector<Handle> OtherScriptThings() const;
  // Every handle the plugin gave a native of another kind, and every thing of another
  // script it changed or removed, in order.
  const std::vector<HandleFindingRecord>& HandleFindings() const;
  // Every DeleteEntity of an entity the plugin did not own, in order.
  const std::vector<UnownedDeletion>& UnownedDeletions() const;
  // Calls that acted through a number held across a wait: how many in all, and the first
  // ones (up to kHeldCallsKept), in order.
  std::uint64_t HeldAcrossWaitCount() const;
  const std::vector<HeldCall>& HeldAcrossWait() const;
  // How many of them each native made, by NativeId.
  std::vector<std::uint64_t> HeldAcrossWaitByNative() const;
  static constexpr std::size_t kHeldCallsKept = 10'000;

  // --- what exists and what happened ---
  const Entity* Find(Handle handle) const;  // nullptr once removed
  // In handle order, the player's ped included.
  std::vector<const Entity*> Entities() const;
  Handle FindPedNamed(std::string_view name) const;  // 0 if none alive
  std::vector<Handle> EntitiesOfModel(std::uint32_t model) const;
  const std::vector<SpokenLine>& Spoken() const;
  bool IsSpeaking(Handle ped) const;
  // Live prompts and blips in handle order (the order made, unless numbers are reused), the
  // objective texts shown.
  std::vector<Handle> LivePrompts() const;
  std::vector<Handle> LiveBlips() const;
  const std::vector<std::string>& ObjectivesShown() const;
  // Requests of models and outfits not yet released, by hash, in ascending order (one entry
  // per unreleased outfit request); prop sets' too when the world tracks them.
  std::vector<std::uint32_t> UnreleasedRequests() const;

  // --- more to inspect ---
  // Pointers from Find, Ped, Prompt and Blip stay valid until the next creation or removal.
  const PedState* Ped(Handle ped) const;          // nullptr unless a live ped
  const PromptInfo* Prompt(Handle prompt) const;  // nullptr once deleted or dropped
  const BlipInfo* Blip(Handle blip) const;        // nullptr once removed
  // ShowObjectiveText and the three cues, in the order called.
  const std::vector<ObjectiveEvent>& ObjectiveEvents() const;
  // SetRelationshipBetweenGroups(value, from, to), the value set last.
  std::optional<std::int32_t> Relationship(std::uint32_t from, std::uint32_t to) const;
  // Prop sets ever requested, in first-request order.
  std::vector<std::uint32_t> RequestedPropsets() const;
  // Milliseconds of game time since the run began; unlike the clock it never wraps.
  std::int64_t ElapsedMs() const;

  // --- world furniture ---
  // A place where the game sets idle peds to work: a ped whose walk ends within the radius
  // uses the scenario there until its next task.
  void AddScenarioPoint(Vec3 at, float radius, std::uint32_t scenario);

 private:
  WorldState* state_;
};

// The game's hash of an identifier: Jenkins one-at-a-time over the lower-cased name.
std::uint32_t JoaatHash(std::string_view name);

}  // namespace sim
