// Boarding the wagon: the player's three ride lines, then the delivery objective, once per
// boarding.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "delivery/delivery_run.h"
#include "sim/scenario/simulation.h"

namespace delivery_test {
namespace {

using sim::Event;
using sim::Handle;
using sim::NativeId;
using sim::ObjectiveEventKind;
using sim::Simulation;

struct RideLine {
  const char* line;
  std::int64_t lo;
  std::int64_t hi;
};

constexpr RideLine kRideLines[] = {
    {"PLAYER_HORSE_COMMENT_GOOD_HUNT", 1, 3},
    {"PLAYER_PURCHASED_TALISMAN_TRINKET_MATERIALS", 1, 4},
    {"PLAYER_REQUEST_DESTINATION_EMERALD_RANCH", 1, 3},
};
constexpr std::uint32_t kPauseAfterMs[] = {5000, 4000};
constexpr const char* kObjective = "Deliver the wagon to the Emerald Ranch Fence";

Handle BoardWagonAtTheSpot(Simulation& sim) {
  sim.Teleport(kWagonSpot);
  sim.RunFor(1000);
  const Handle wagon = sim.Wagon();
  EXPECT_TRUE(sim.BoardWagon());
  return wagon;
}

// Runs frames until `speaker` has sent `count` more requests than at `from` (or 60 s pass).
void RunUntilRequests(Simulation& sim, Handle speaker, std::size_t from, std::size_t count) {
  for (int ms = 0; ms < 60000 && RequestsBy(sim.recorder(), speaker, from).size() < count;
       ms += sim.world().Settings().frameMs) {
    sim.Frame();
  }
}

// The text and its three cues, in order, `boardings` times over.
void ExpectObjectiveShown(const sim::World& world, std::size_t boardings) {
  const auto& shown = world.ObjectiveEvents();
  ASSERT_EQ(shown.size(), 4 * boardings);
  for (std::size_t b = 0; b < boardings; ++b) {
    const sim::ObjectiveEvent* e = &shown[4 * b];
    EXPECT_EQ(e[0].kind, ObjectiveEventKind::Text);
    EXPECT_EQ(e[0].text, kObjective);
    EXPECT_EQ(e[1].kind, ObjectiveEventKind::CueA);
    EXPECT_EQ(e[2].kind, ObjectiveEventKind::CueB);
    EXPECT_EQ(e[2].args[0], 512);
    EXPECT_EQ(e[2].args[1], 0);
    EXPECT_EQ(e[3].kind, ObjectiveEventKind::CueC);
    EXPECT_EQ(e[3].args[0], 1);
    EXPECT_EQ(e[3].args[1], 10);
    EXPECT_EQ(e[3].args[2], 10);
  }
}

// The three ride lines among `requests`, starting at `first`.
void ExpectRideLines(const sim::Recorder& recorder, const std::vector<SpeechRequest>& requests,
                     std::size_t first) {
  ASSERT_GE(requests.size(), first + 3);
  for (std::size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE("ride line " + std::to_string(i + 1));
    ExpectAmbientRequest(recorder, requests[first + i], kRideLines[i].line, kRideLines[i].lo,
                         kRideLines[i].hi);
  }
}

TEST(RideRemarks, BoardingBringsTheThreeLinesThenTheObjectiveAndStayingAboardNothingMore) {
  Simulation sim;
  sim.Teleport(kWagonSpot);
  sim.RunFor(1000);
  const Handle player = sim.world().PlayerPed();
  EXPECT_TRUE(RequestsBy(sim.recorder(), player).empty());
  EXPECT_TRUE(sim.world().ObjectiveEvents().empty()) << "not while on foot";

  const std::size_t mark = sim.recorder().Size();
  ASSERT_TRUE(sim.BoardWagon());
  sim.RunFor(12000);
  ASSERT_FALSE(sim.Failed()) << sim.Error();

  const auto requests = RequestsBy(sim.recorder(), player, mark);
  ASSERT_EQ(requests.size(), 3u);
  ExpectRideLines(sim.recorder(), requests, 0);
  // Each pause is one wait of its length between two lines, holding the whole script.
  const auto& events = sim.recorder().Events();
  for (std::size_t i = 0; i < 2; ++i) {
    std::vector<std::uint32_t> waits;
    for (std::size_t at = requests[i].index; at < requests[i + 1].index; ++at) {
      if (events[at].isWait) waits.push_back(events[at].waitMs);
    }
    EXPECT_EQ(waits, std::vector<std::uint32_t>{kPauseAfterMs[i]}) << "after line " << i + 1;
    const std::int32_t gap = requests[i + 1].clock - requests[i].clock;
    EXPECT_GE(gap, static_cast<std::int32_t>(kPauseAfterMs[i]));
    EXPECT_LT(gap, static_cast<std::int32_t>(kPauseAfterMs[i]) + sim.world().Settings().frameMs);
  }

  // The objective follows the third line in the same frame, text then cues back to back.
  ExpectObjectiveShown(sim.world(), 1);
  const auto texts = CallsSince(sim.recorder(), NativeId::ShowObjectiveText, mark);
  ASSERT_EQ(texts.size(), 1u);
  const std::size_t text = static_cast<std::size_t>(texts[0] - events.data());
  EXPECT_GT(text, requests[2].index);
  EXPECT_EQ(events[text].frame, requests[2].frame);
  EXPECT_EQ(sim.recorder().Sequence(text).at(1), "ObjectiveCueA");
  EXPECT_EQ(sim.recorder().Sequence(text).at(2), "ObjectiveCueB");
  EXPECT_EQ(sim.recorder().Sequence(text).at(3), "ObjectiveCueC");

  sim.RunFor(20000);
  EXPECT_EQ(RequestsBy(sim.recorder(), player, mark).size(), 3u);
  ExpectObjectiveShown(sim.world(), 1);
}

TEST(RideRemarks, BoardLeaveBoardBringsTheLinesAndTheObjectiveTwice) {
  Simulation sim;
  BoardWagonAtTheSpot(sim);
  sim.RunFor(12000);
  sim.Leave();
  sim.RunFor(1000);
  ASSERT_TRUE(sim.BoardWagon());
  sim.RunFor(12000);
  ASSERT_FALSE(sim.Failed()) << sim.Error();

  const auto requests = RequestsBy(sim.recorder(), sim.world().PlayerPed());
  ASSERT_EQ(requests.size(), 6u);
  ExpectRideLines(sim.recorder(), requests, 0);
  ExpectRideLines(sim.recorder(), requests, 3);
  ExpectObjectiveShown(sim.world(), 2);
  EXPECT_EQ(sim.world().ObjectivesShown(), (std::vector<std::string>{kObjective, kObjective}));
}

TEST(RideRemarks, LeavingDuringThePausesDoesNotStopTheRemainingLines) {
  Simulation sim;
  BoardWagonAtTheSpot(sim);
  const Handle player = sim.world().PlayerPed();
  RunUntilRequests(sim, player, 0, 1);
  ASSERT_EQ(RequestsBy(sim.recorder(), player).size(), 1u);
  sim.Leave();  // the script is held in the first pause
  sim.RunFor(12000);
  ASSERT_FALSE(sim.Failed()) << sim.Error();

  auto requests = RequestsBy(sim.recorder(), player);
  ASSERT_EQ(requests.size(), 3u);
  ExpectRideLines(sim.recorder(), requests, 0);
  // By the objective's turn the player was out: nothing shown for this boarding.
  EXPECT_TRUE(sim.world().ObjectiveEvents().empty());

  // The lines' flag was cleared as the player was out, so the next boarding brings them
  // again, with the objective.
  ASSERT_TRUE(sim.BoardWagon());
  sim.RunFor(12000);
  requests = RequestsBy(sim.recorder(), player);
  ASSERT_EQ(requests.size(), 6u);
  ExpectRideLines(sim.recorder(), requests, 3);
  ExpectObjectiveShown(sim.world(), 1);
}

TEST(RideRemarks, EachLineIsSpokenByThePlayersPedOfThatMoment) {
  Simulation sim;
  BoardWagonAtTheSpot(sim);
  const Handle before = sim.world().PlayerPed();
  RunUntilRequests(sim, before, 0, 1);
  const Handle after = sim.world().ReplacePlayerPed();  // takes the seat in the wagon
  sim.RunFor(12000);
  ASSERT_FALSE(sim.Failed()) << sim.Error();

  const auto first = RequestsBy(sim.recorder(), before);
  const auto rest = RequestsBy(sim.recorder(), after);
  ASSERT_EQ(first.size(), 1u);
  EXPECT_EQ(first[0].line, kRideLines[0].line);
  ASSERT_EQ(rest.size(), 2u);
  EXPECT_EQ(rest[0].line, kRideLines[1].line);
  EXPECT_EQ(rest[1].line, kRideLines[2].line);
  ExpectObjectiveShown(sim.world(), 1);
}

}  // namespace
}  // namespace delivery_test
