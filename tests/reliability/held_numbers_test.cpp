// Numbers kept across a wait. A wait hands the frame to the game and to other scripts; when
// it returns, a number the plugin kept may name nothing, or another script's thing. And the
// game deletes only a script's own mission entities. Each case below sets up one way the
// world changes under a kept number, in a world that gives numbers out again with another
// script at work, and then asks the same of the plugin: nothing acted on a number it had
// not proved since the last wait, nothing of the other script touched, nothing deleted that
// was not its own, never two Sadies, and the camp healthy.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>

#include "reliability/fault_fixture.h"

namespace reliability_test {
namespace {

FaultSettings Shared(FaultSettings s = {}) {
  s.reuseHandles = true;
  return s;
}

// Frames until the plugin has called `id` with `first` as its first argument `count` times;
// the script then sits in the wait that follows.
bool RunUntilCalled(FaultRun& run, NativeId id, std::int64_t first, std::size_t count = 1) {
  return run.RunUntil([&] { return run.watch.CallsWith(id, first).size() >= count; }, 30000);
}

// The plugin's thing is taken by the game and its number goes to another script's thing of
// the same model: only ownership tells them apart.
sim::Handle SwapForTheirs(FaultRun& run, sim::Handle ours, sim::ForeignKind kind) {
  const sim::Entity* e = run.world().Find(ours);
  EXPECT_NE(e, nullptr);
  if (e == nullptr) return 0;
  const std::uint32_t model = e->model;
  const sim::Vec3 at = e->position;
  run.world().Vanish(ours);
  const sim::Handle theirs = run.world().OtherScriptMakes(kind, model, at);
  EXPECT_EQ(theirs, ours) << "the world gives the freed number out again";
  return theirs;
}

// During a creation's first wait after it made the ped: Charles's pause, Sadie's yield,
// Karen's and Abe's outfit waits.
sim::Handle SwapCompanionMidCreation(FaultRun& run, const char* name) {
  EXPECT_TRUE(RunUntilCalled(run, NativeId::CreatePed, Facts(name).model));
  const sim::Event* made = run.watch.CallsWith(NativeId::CreatePed, Facts(name).model).front();
  return SwapForTheirs(run, made->ResultInt(), sim::ForeignKind::Ped);
}

struct Fault {
  const char* name;
  FaultSettings settings;
  // Plays the fault; returns the other script's thing that must come out untouched, or 0.
  std::function<sim::Handle(FaultRun&)> play;
  // What else must hold at the end, if anything.
  std::function<void(FaultRun&)> check = nullptr;
};

void ExpectNothingHeldOrForeignTouched(FaultRun& run, sim::Handle theirs) {
  sim::World& world = run.world();
  std::set<std::string> held;
  for (const sim::HeldCall& call : world.HeldAcrossWait()) {
    held.insert(sim::SignatureOf(call.native).name);
  }
  EXPECT_EQ(world.HeldAcrossWaitCount(), 0u) << testing::PrintToString(held);
  EXPECT_TRUE(world.UnownedDeletions().empty()) << "deleted without owning it";
  EXPECT_TRUE(world.HandleFindings().empty()) << "a kind mismatch or another's thing touched";
  if (theirs != 0) {
    const auto things = world.OtherScriptThings();
    EXPECT_NE(std::find(things.begin(), things.end(), theirs), things.end());
  }
}

class HeldNumbers : public testing::TestWithParam<Fault> {};

TEST_P(HeldNumbers, NothingActsOnANumberNotProvedSinceTheLastWait) {
  FaultRun run(GetParam().settings);
  int mostSadies = 0;
  const sim::Handle theirs = GetParam().play(run);
  ASSERT_FALSE(run.sim.Failed()) << run.sim.Error();
  for (int i = 0; i < 300; ++i) {
    run.sim.Frame();
    mostSadies =
        std::max(mostSadies, run.LivingPedsOf(Facts("Sadie").model) -
                                 (theirs != 0 && run.world().Find(theirs) != nullptr &&
                                  run.world().Find(theirs)->model == Facts("Sadie").model));
  }
  ExpectNothingHeldOrForeignTouched(run, theirs);
  EXPECT_LE(mostSadies, 1) << "two Sadies";
  if (GetParam().check) GetParam().check(run);
  run.ExpectHealthy();
}

const sim::Vec3 kSadieHome = Facts("Sadie").home;

const Fault kFaults[] = {
    // 1. Dismissed within the game's release range, she still stands there; back in, the
    // plugin must claim her before deleting her, or she stays beside the new Sadie.
    {"ReleasedSadieIsClaimedBeforeDeletion", Shared({.playerStart = East(kSadieHome, 10.0f)}),
     [](FaultRun& run) -> sim::Handle {
       run.RunFor(5000);
       run.Visit(East(kSadieHome, 210.0f), 1000);
       run.sim.Teleport(East(kSadieHome, 10.0f));
       return 0;
     }},
    // 1. The released Sadie is cleared by the game and another script's ped of her model
    // takes her number before the plugin looks again.
    {"AnotherScriptsSadieOnTheReleasedNumberIsLeftAlone",
     Shared({.playerStart = East(kSadieHome, 10.0f)}),
     [](FaultRun& run) -> sim::Handle {
       run.RunFor(5000);
       const sim::Handle released = run.Ped("Sadie");
       run.Visit(East(kSadieHome, 210.0f), 1000);
       const sim::Handle theirs = SwapForTheirs(run, released, sim::ForeignKind::Ped);
       run.sim.Teleport(East(kSadieHome, 10.0f));
       return theirs;
     }},
    // 2. Each creation's waits come between the ped's making and its outfit, flags, task,
    // group, weapon and name.
    {"CharlesSwappedDuringHisPause", Shared(),
     [](FaultRun& run) { return SwapCompanionMidCreation(run, "Charles"); }},
    {"SadieSwappedDuringHerYield", Shared({.playerStart = East(kSadieHome, 10.0f)}),
     [](FaultRun& run) { return SwapCompanionMidCreation(run, "Sadie"); }},
    {"KarenSwappedDuringHerOutfit", Shared(),
     [](FaultRun& run) { return SwapCompanionMidCreation(run, "Karen"); }},
    // 3. The wagon's cargo and blip come after the cargo's load wait.
    {"WagonSwappedDuringItsCargoLoad", Shared(),
     [](FaultRun& run) {
       EXPECT_TRUE(run.RunUntil([&] { return run.sim.Wagon() != 0; }, 30000));
       return SwapForTheirs(run, run.sim.Wagon(), sim::ForeignKind::Vehicle);
     }},
    // 4. An exchange: the companion swapped after its first line.
    {"CompanionSwappedMidExchange", Shared(),
     [](FaultRun& run) {
       const FaultRun::TalkStart talk = run.HoldTalk("Charles");
       const std::size_t before =
           run.watch.CallsWith(NativeId::PlayPedAmbientSpeechNative, talk.ped).size();
       EXPECT_TRUE(RunUntilCalled(run, NativeId::PlayPedAmbientSpeechNative, talk.ped, before + 1));
       return SwapForTheirs(run, talk.ped, sim::ForeignKind::Ped);
     }},
    // 4. The player's old ped, replaced mid-exchange, gives its number to another's ped.
    {"PlayersOldPedTakenMidExchange", Shared(),
     [](FaultRun& run) {
       const sim::Handle old = run.world().PlayerPed();
       run.HoldTalk("Karen");
       run.RunFor(300);
       run.world().ReplacePlayerPed();
       return SwapForTheirs(run, old, sim::ForeignKind::Ped);
     }},
    // 5. The game drops the Talk prompt while its exchange plays, and, a line later, another
    // script's prompt takes the number. The plugin's Talk must come back, and theirs be left.
    {"TalkPromptDroppedMidExchangeAndItsNumberTaken", Shared(),
     [](FaultRun& run) {
       const FaultRun::TalkStart talk = run.HoldTalk("Charles");
       sim::Handle dropped = 0;
       for (sim::Handle prompt : run.world().LivePrompts()) {
         if (run.world().Prompt(prompt)->label == "Talk") dropped = prompt;
       }
       run.world().DropPrompt(dropped);
       const std::size_t lines = run.watch.Calls(NativeId::PlayPedAmbientSpeechNative).size();
       EXPECT_TRUE(run.RunUntil(
           [&] { return run.watch.Calls(NativeId::PlayPedAmbientSpeechNative).size() > lines; },
           30000));
       const sim::Handle theirs = run.world().OtherScriptMakes(sim::ForeignKind::Prompt, 0, {});
       EXPECT_EQ(theirs, dropped);
       EXPECT_NE(talk.ped, 0);
       return theirs;
     },
     [](FaultRun& run) {
       ASSERT_TRUE(run.sim.Target("Charles"));
       run.RunFor(1000);
       int talks = 0;
       for (sim::Handle prompt : run.world().LivePrompts()) {
         const sim::PromptInfo* p = run.world().Prompt(prompt);
         talks += !p->foreign && p->label == "Talk" && p->enabled;
       }
       EXPECT_EQ(talks, 1) << "Talk is shown again";
       run.sim.ReleaseTarget();
       run.RunFor(500);
     }},
    // 6. The game takes the blip with its wagon, and another blip gets the number.
    {"BlipGoneWithItsWagonAndItsNumberTaken", Shared({.blipGoesWithEntity = true}),
     [](FaultRun& run) {
       run.RunFor(3000);
       const sim::Handle blip = run.world().LiveBlips().front();
       const sim::Handle their = run.world().OtherScriptMakes(
           sim::ForeignKind::Object, sim::JoaatHash("p_chair05x"), kFarAway);
       run.world().Vanish(run.sim.Wagon());
       const sim::Handle theirs =
           run.world().OtherScriptMakes(sim::ForeignKind::Blip, 0, kInCamp, their);
       EXPECT_EQ(theirs, blip);
       run.sim.Teleport(kFarAway);
       return theirs;
     }},
    // 7. The player's ped read at setup is replaced, and its number goes to another's ped
    // standing on a remark spot.
    {"OldPlayerNumberOnARemarkSpot", Shared(),
     [](FaultRun& run) {
       run.RunFor(3000);
       const sim::Handle old = run.world().PlayerPed();
       run.world().ReplacePlayerPed();
       run.RunFor(500);
       run.world().Vanish(old);
       const sim::Handle onSpot = run.world().OtherScriptMakes(
           sim::ForeignKind::Ped, Facts("Karen").model, campsim::kRemarkSpots[0].at);
       EXPECT_EQ(onSpot, old);
       return onSpot;
     }},
    // 8. A restart during Karen's outfit load; a restart right after a companion vanished
    // with its prompts up; prop-set requests counted among those never released.
    {"RestartDuringAnOutfitLoad", Shared(),
     [](FaultRun& run) -> sim::Handle {
       EXPECT_TRUE(RunUntilCalled(run, NativeId::RequestMetaPedOutfit, Facts("Karen").model));
       run.sim.Restart();
       return 0;
     }},
    {"RestartAfterACompanionVanishedWithItsPrompts", Shared(),
     [](FaultRun& run) -> sim::Handle {
       run.RunFor(3000);
       EXPECT_TRUE(run.sim.Target("Charles"));
       run.RunFor(1000);
       run.world().Vanish(run.Ped("Charles"));
       run.sim.Restart();
       run.sim.ReleaseTarget();
       return 0;
     },
     [](FaultRun& run) {
       EXPECT_TRUE(run.world().LivePrompts().empty()) << "prompts left without a lock-on";
     }},
    {"PropSetRequestsAreReleased", Shared({.trackPropsetRequests = true}),
     [](FaultRun& run) -> sim::Handle {
       run.RunFor(5000);
       return 0;
     }},
    // 9. A reload gives the player's new ped the old number, and another script's ped of
    // Karen's model gets hers: the world is a fresh one, not the one the plugin left.
    {"ReloadWithThePlayersOldNumber", Shared({.reloadKeepsPlayerNumber = true}),
     [](FaultRun& run) {
       run.RunFor(3000);
       const sim::Handle player = run.world().PlayerPed();
       const sim::Handle karen = run.Ped("Karen");
       run.sim.Reload();
       EXPECT_EQ(run.world().PlayerPed(), player);
       sim::Handle theirs = 0;
       for (int i = 0; i < 100 && theirs != karen; ++i) {
         theirs = run.world().OtherScriptMakes(sim::ForeignKind::Ped, Facts("Karen").model,
                                               Facts("Karen").home);
       }
       EXPECT_EQ(theirs, karen);
       return theirs;
     }},
};

INSTANTIATE_TEST_SUITE_P(SharedWorld, HeldNumbers, testing::ValuesIn(kFaults),
                         [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace reliability_test
