// How each companion is brought into the world: the calls of its creation in order, where
// and when it happens, and what becomes of loads that never finish.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "companions/companion_fixture.h"

namespace campfire_test {
namespace {

struct ExpectedCreation {
  CompanionFacts companion;
  std::vector<std::string> calls;
};

// The creation call, at the home and heading of the tests' homes table (routine_tables.h).
std::string CreatePedAtHome(const CompanionFacts& c) {
  return "CreatePed(" + Hex(c.model) + ", " + Real(c.home.x) + ", " + Real(c.home.y) + ", " +
         Real(c.home.z) + ", " + Real(c.heading) + ", 1, 1, 0, 0)";
}

// With every load ready at its first poll, a creation is exactly these calls and waits.
// After every wait the player's ped is read again, since the game may have changed it.
const std::vector<ExpectedCreation>& ExpectedCreations() {
  static const std::vector<ExpectedCreation> creations{
      {kCharles,
       {
           "RequestModel(0x53DD98DF, 1)",
           "HasModelLoaded(0x53DD98DF)",
           CreatePedAtHome(kCharles),
           "SetPedPromptName(ped, \"Charles\")",
           "wait 100",
           "PlayerPedId()",
           // After each wait the ped is proved still the plugin's before anything acts on it.
           "DoesEntityExist(ped)",
           "GetEntityModel(ped)",
           "DoesEntityBelongToThisScript(ped, 1)",
           "RemoveAllPedWeapons(ped, 1, 1)",
           "wait 100",
           "PlayerPedId()",
           "DoesEntityExist(ped)",
           "GetEntityModel(ped)",
           "DoesEntityBelongToThisScript(ped, 1)",
           "GetHashKey(\"AMMO_RIFLE\")",
           "GetHashKey(\"WEAPON_RIFLE_BOLTACTION\")",
           "GiveWeaponToPed(ped, #WEAPON_RIFLE_BOLTACTION, 100, 1, 1, 1, 1, 1.000, 1.000, "
           "#AMMO_RIFLE, 0, 0, 1)",
           "RequestMetaPedOutfit(0x53DD98DF, 0x1BB5E76A)",
           "IsMetaPedOutfitRequestReady(request)",
           "ApplyPedMetaPedOutfit(request, ped, 1, 1)",
           "ReleaseMetaPedOutfitRequest(request)",
           "SetPedConfigFlag(ped, 130, 0)",
           "SetPedKeepTask(ped, 1)",
           "GetHashKey(\"REL_GANG_DUTCHS\")",
           "SetPedRelationshipGroupHash(ped, #REL_GANG_DUTCHS)",
           "GetGameTimer()",
           "SetModelAsNoLongerNeeded(0x53DD98DF)",
       }},
      {kSadie,
       {
           "RequestModel(0x155E51DB, 1)",
           "HasModelLoaded(0x155E51DB)",
           CreatePedAtHome(kSadie),
           "wait 0",
           "PlayerPedId()",
           "RequestMetaPedOutfit(0x155E51DB, 0xEDB7FA06)",
           "IsMetaPedOutfitRequestReady(request)",
           "DoesEntityExist(ped)",
           "GetEntityModel(ped)",
           "DoesEntityBelongToThisScript(ped, 1)",
           "ApplyPedMetaPedOutfit(request, ped, 1, 1)",
           "ReleaseMetaPedOutfitRequest(request)",
           "SetPedPromptName(ped, \"Sadie\")",
           "GetHashKey(\"REL_PLAYER_LIKE\")",
           "SetPedRelationshipGroupHash(ped, #REL_PLAYER_LIKE)",
           "PlayerPedId()",
           "GetPedRelationshipGroupHash(player)",
           "SetRelationshipBetweenGroups(1, #REL_PLAYER_LIKE, #PLAYER)",
           "SetRelationshipBetweenGroups(1, #PLAYER, #REL_PLAYER_LIKE)",
           "SetPedConfigFlag(ped, 130, 0)",
           "SetPedConfigFlag(ped, 40, 0)",
           "SetPedConfigFlag(ped, 111, 1)",
           "SetPedConfigFlag(ped, 113, 1)",
           "SetPedConfigFlag(ped, 233, 0)",
           "SetPedKeepTask(ped, 1)",
           "GetGameTimer()",
           "SetModelAsNoLongerNeeded(0x155E51DB)",
       }},
      {kKaren,
       {
           "RequestModel(0x9A3E29FB, 1)",
           "HasModelLoaded(0x9A3E29FB)",
           CreatePedAtHome(kKaren),
           "RequestMetaPedOutfit(0x9A3E29FB, 0xA6070639)",
           "IsMetaPedOutfitRequestReady(request)",
           "ApplyPedMetaPedOutfit(request, ped, 1, 1)",
           "ReleaseMetaPedOutfitRequest(request)",
           "GetHashKey(\"AMMO_REVOLVER\")",
           "GetHashKey(\"WEAPON_REVOLVER_CATTLEMAN\")",
           "GiveWeaponToPed(ped, #WEAPON_REVOLVER_CATTLEMAN, 100, 1, 1, 1, 1, 1.000, 1.000, "
           "#AMMO_REVOLVER, 0, 0, 1)",
           "SetPedPromptName(ped, \"Karen\")",
           "SetPedKeepTask(ped, 1)",
           "SetPedConfigFlag(ped, 130, 0)",
           "GetHashKey(\"rel_gang_dutchs\")",
           "SetPedRelationshipGroupHash(ped, #REL_GANG_DUTCHS)",
           "PlayerPedId()",
           "GetPedRelationshipGroupHash(player)",
           "SetRelationshipBetweenGroups(1, #REL_GANG_DUTCHS, #PLAYER)",
           "SetRelationshipBetweenGroups(1, #PLAYER, #REL_GANG_DUTCHS)",
           "GetGameTimer()",
           "SetModelAsNoLongerNeeded(0x9A3E29FB)",
       }},
      {kAbe,
       {
           "RequestModel(0xA8B1C9F7, 1)",
           "HasModelLoaded(0xA8B1C9F7)",
           CreatePedAtHome(kAbe),
           "RequestMetaPedOutfit(0xA8B1C9F7, 0x027DA60F)",
           "IsMetaPedOutfitRequestReady(request)",
           "ApplyPedMetaPedOutfit(request, ped, 1, 1)",
           "ReleaseMetaPedOutfitRequest(request)",
           "GetHashKey(\"AMMO_SHOTGUN\")",
           "GetHashKey(\"WEAPON_SHOTGUN_PUMP\")",
           "GiveWeaponToPed(ped, #WEAPON_SHOTGUN_PUMP, 50, 1, 1, 1, 1, 1.000, 1.000, "
           "#AMMO_SHOTGUN, 0, 0, 1)",
           "SetPedPromptName(ped, \"Abe\")",
           "SetPedKeepTask(ped, 1)",
           "SetPedConfigFlag(ped, 130, 0)",
           "GetHashKey(\"REL_GANG_DUTCHS\")",
           "SetPedRelationshipGroupHash(ped, #REL_GANG_DUTCHS)",
           "GetGameTimer()",
           "SetModelAsNoLongerNeeded(0xA8B1C9F7)",
       }},
  };
  return creations;
}

const ExpectedCreation& ExpectedFor(const CompanionFacts& companion) {
  for (const ExpectedCreation& c : ExpectedCreations()) {
    if (c.companion.model == companion.model) return c;
  }
  throw std::logic_error("no expected creation");
}

TEST(CompanionCreation, EachCompanionIsMadeWithExactlyTheCallsOfItsOrder) {
  CampRun run({.playerStart = kInCamp, .loadPolls = 1});
  run.sim.RunFrames(30);
  ASSERT_FALSE(run.sim.Failed()) << run.sim.Error();
  const sim::Handle player = run.world().PlayerPed();

  for (const ExpectedCreation& expected : ExpectedCreations()) {
    SCOPED_TRACE(std::string(expected.companion.name) + kHomesNote);
    const auto creation = CreationOf(run.log, expected.companion.model);
    EXPECT_EQ(RenderCreation(creation, player), expected.calls);

    // The world agrees: the ped stands at home, dressed and named.
    const sim::Handle ped = CreatedPed(creation);
    const sim::Entity* entity = run.world().Find(ped);
    ASSERT_NE(entity, nullptr);
    EXPECT_EQ(entity->name, expected.companion.name);
    EXPECT_EQ(entity->ped.outfit, expected.companion.outfit);
    EXPECT_FLOAT_EQ(entity->heading, expected.companion.heading);
  }
}

TEST(CompanionCreation, CharlesPausesTwiceAndSadieYieldsAFrameWhileTheOthersDoNot) {
  CampRun run({.playerStart = kInCamp, .loadPolls = 1});
  run.sim.RunFrames(30);
  ASSERT_FALSE(run.sim.Failed()) << run.sim.Error();

  auto clockOf = [](const std::vector<const sim::Event*>& creation, NativeId id) {
    for (const sim::Event* e : creation) {
      if (!e->isWait && e->id == id) return e->clock;
    }
    return -1;
  };
  const auto charles = CreationOf(run.log, kCharles.model);
  const std::int32_t created = clockOf(charles, NativeId::CreatePed);
  EXPECT_GE(clockOf(charles, NativeId::RemoveAllPedWeapons) - created, 100);
  EXPECT_GE(clockOf(charles, NativeId::GiveWeaponToPed) - created, 200);

  const auto sadie = CreationOf(run.log, kSadie.model);
  EXPECT_GT(clockOf(sadie, NativeId::RequestMetaPedOutfit), clockOf(sadie, NativeId::CreatePed));

  // Karen and Abe finish within the frame their ped is made in.
  for (const CompanionFacts& c : {kKaren, kAbe}) {
    const auto creation = CreationOf(run.log, c.model);
    EXPECT_EQ(clockOf(creation, NativeId::SetModelAsNoLongerNeeded),
              clockOf(creation, NativeId::CreatePed))
        << c.name;
  }
}

TEST(CompanionCreation, KarenAndAbeAreMadeAtSetupWhereverThePlayerIs) {
  CampRun run({.playerStart = kFarAway});
  run.sim.RunFrames(30);
  ASSERT_FALSE(run.sim.Failed()) << run.sim.Error();

  const auto karen = CreationOf(run.log, kKaren.model);
  const auto abe = CreationOf(run.log, kAbe.model);
  ASSERT_FALSE(karen.empty());
  ASSERT_FALSE(abe.empty());
  // Setup reads the player's ped, then makes Karen, then Abe, before any distance is measured.
  const auto& events = run.log.Events();
  EXPECT_EQ(Render(events[0], {}), "PlayerPedId()");
  EXPECT_EQ(karen.front(), &events[1]);
  EXPECT_EQ(abe.front(), karen.back() + 1);
  const auto firstMeasure = run.log.Calls(NativeId::GetDistanceBetweenCoords);
  ASSERT_FALSE(firstMeasure.empty());
  EXPECT_LT(abe.back(), firstMeasure.front());

  // At their homes, with their headings.
  const sim::Handle player = run.world().PlayerPed();
  for (const auto& [creation, expected] :
       {std::pair{&karen, &ExpectedFor(kKaren)}, std::pair{&abe, &ExpectedFor(kAbe)}}) {
    const auto calls = RenderCreation(*creation, player);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), expected->calls[2]), 1)
        << expected->calls[2] << kHomesNote;
  }

  // The player is far from both, so the first pass of the dispatcher deletes them again;
  // Charles and Sadie are never made.
  for (const auto* creation : {&karen, &abe}) {
    const sim::Handle ped = CreatedPed(*creation);
    EXPECT_EQ(CallsWithFirstArg(run.log, NativeId::DeleteEntity, ped).size(), 1u);
    EXPECT_EQ(run.world().Find(ped), nullptr);
  }
  EXPECT_TRUE(CreationOf(run.log, kCharles.model).empty());
  EXPECT_TRUE(CreationOf(run.log, kSadie.model).empty());
}

// With one frame per millisecond, the first step's line must come exactly one frame after
// the due time: creation clock + 1000 (Abe 2000) is still too early.
TEST(CompanionCreation, TheFirstStepActsOnlyOnceTheClockIsPastTheDelay) {
  constexpr std::int32_t kFrameMs = 1;
  CampRun run({.playerStart = kInCamp, .frameMs = kFrameMs});
  run.sim.RunFor(2600);
  ASSERT_FALSE(run.sim.Failed()) << run.sim.Error();

  const ExpectedRoutine* routines[] = {&kCharlesRoutine, &kSadieRoutine, &kKarenRoutine,
                                       &kAbeRoutine};
  for (std::size_t i = 0; i < kCompanions.size(); ++i) {
    const CompanionFacts& c = kCompanions[i];
    SCOPED_TRACE(c.name);
    const auto creation = CreationOf(run.log, c.model);
    ASSERT_FALSE(creation.empty());
    // The clock read in the creation is the one the first due time counts from.
    const sim::Event* ready = nullptr;
    for (const sim::Event* e : creation) {
      if (!e->isWait && e->id == NativeId::GetGameTimer) ready = e;
    }
    ASSERT_NE(ready, nullptr);
    const auto seen = FollowRoutine(run.log, CreatedPed(creation), *routines[i], kFrameMs);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen[0].step, 0);
    EXPECT_EQ(seen[0].clock, ready->ResultInt() + c.firstStepDelayMs + 1);
  }
}

// --- loads that never finish ---

constexpr std::int32_t kLoadBoundMs = 10000;

TEST(CompanionLoading, AModelThatNeverLoadsIsGivenUpAndTriedAgainOnlyOnTheNextApproach) {
  CampRun run({.playerStart = kInCamp});
  run.world().NeverLoads(kCharles.model);
  run.sim.RunFor(40000);
  ASSERT_FALSE(run.sim.Failed()) << run.sim.Error();

  const auto attempt = CreationOf(run.log, kCharles.model);
  ASSERT_FALSE(attempt.empty());
  for (const sim::Event* e : attempt) {
    EXPECT_TRUE(e->isWait || e->id == NativeId::RequestModel || e->id == NativeId::HasModelLoaded ||
                e->id == NativeId::GetGameTimer || e->id == NativeId::SetModelAsNoLongerNeeded ||
                e->id == NativeId::PlayerPedId)
        << "unexpected " << Render(*e, {});
  }
  const std::uint32_t waited = ClockGap(attempt.back()->clock, attempt.front()->clock);
  EXPECT_GE(waited, static_cast<std::uint32_t>(kLoadBoundMs));
  EXPECT_LE(waited, static_cast<std::uint32_t>(kLoadBoundMs + 2 * 33));
  EXPECT_TRUE(CallsWithFirstArg(run.log, NativeId::CreatePed, kCharles.model).empty());

  // The others went on with their routines after the stall.
  const sim::Handle karen = run.world().FindPedNamed("Karen");
  ASSERT_NE(karen, 0);
  int linesAfter = 0;
  for (const sim::Event* e : SpeechOf(run.log, karen))
    linesAfter += e->clock >= attempt.back()->clock;
  EXPECT_GE(linesAfter, 2);

  // Staying near brings no new attempt; leaving and coming back does.
  EXPECT_EQ(CallsWithFirstArg(run.log, NativeId::RequestModel, kCharles.model).size(), 1u);
  run.sim.Teleport(kFarAway);
  run.sim.RunFrames(10);
  EXPECT_EQ(CallsWithFirstArg(run.log, NativeId::RequestModel, kCharles.model).size(), 1u);
  run.sim.Teleport(kInCamp);
  run.sim.RunFor(kLoadBoundMs + 2000);
  ASSERT_FALSE(run.sim.Failed()) << run.sim.Error();
  EXPECT_EQ(CallsWithFirstArg(run.log, NativeId::RequestModel, kCharles.model).size(), 2u);
  EXPECT_FALSE(CreationOf(run.log, kCharles.model, 1).empty());
  EXPECT_TRUE(run.world().UnreleasedRequests().empty());
}

TEST(CompanionLoading, AnOutfitThatNeverLoadsIsReleasedUnappliedAndTheCreationGoesOn) {
  CampRun run({.playerStart = kInCamp, .loadPolls = 1});
  run.world().NeverLoads(kKaren.outfit);
  run.sim.RunFor(15000);
  ASSERT_FALSE(run.sim.Failed()) << run.sim.Error();

  const auto creation = CreationOf(run.log, kKaren.model);
  ASSERT_FALSE(creation.empty());
  // Leave out the polling between the outfit's request and its release; the rest is the
  // usual order without the outfit being applied.
  std::vector<std::string> calls;
  std::int32_t requested = 0;
  std::int32_t released = 0;
  bool polling = false;
  for (const std::string& line : RenderCreation(creation, run.world().PlayerPed())) {
    if (polling && line.rfind("ReleaseMetaPedOutfitRequest", 0) != 0) continue;
    polling = line.rfind("RequestMetaPedOutfit", 0) == 0;
    calls.push_back(line);
  }
  for (const sim::Event* e : creation) {
    if (e->isWait) continue;
    if (e->id == NativeId::RequestMetaPedOutfit) requested = e->clock;
    if (e->id == NativeId::ReleaseMetaPedOutfitRequest) released = e->clock;
  }
  std::vector<std::string> expected = ExpectedFor(kKaren).calls;
  std::erase_if(expected, [](const std::string& line) {
    return line.rfind("IsMetaPedOutfitRequestReady", 0) == 0 ||
           line.rfind("ApplyPedMetaPedOutfit", 0) == 0;
  });
  // The outfit's wait came between the ped's making and its weapon: it is proved first.
  const auto arm = std::find_if(expected.begin(), expected.end(), [](const std::string& line) {
    return line.rfind("GetHashKey(\"AMMO", 0) == 0;
  });
  expected.insert(
      arm, {"DoesEntityExist(ped)", "GetEntityModel(ped)", "DoesEntityBelongToThisScript(ped, 1)"});
  EXPECT_EQ(calls, expected);
  EXPECT_GE(ClockGap(released, requested), static_cast<std::uint32_t>(kLoadBoundMs));
  EXPECT_LE(ClockGap(released, requested), static_cast<std::uint32_t>(kLoadBoundMs + 2 * 33));
  EXPECT_EQ(run.log.Calls(NativeId::ApplyPedMetaPedOutfit).size(), 3u)
      << "only the other three companions are dressed";

  const sim::Handle karen = run.world().FindPedNamed("Karen");
  ASSERT_NE(karen, 0);
  const sim::PedState* ped = run.world().Ped(karen);
  EXPECT_EQ(ped->outfit, 0u);
  ASSERT_EQ(ped->weapons.size(), 1u);
  EXPECT_EQ(ped->weapons[0].weapon, sim::JoaatHash("WEAPON_REVOLVER_CATTLEMAN"));
  EXPECT_FALSE(SpeechOf(run.log, karen).empty()) << "her routine runs";
  EXPECT_TRUE(run.world().UnreleasedRequests().empty());
}

}  // namespace
}  // namespace campfire_test
