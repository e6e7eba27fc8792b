// The player's remarks at seventeen spots around the camp: asked for every frame while the
// ped read at setup stands within 2 units of a spot on each axis.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "delivery/delivery_run.h"
#include "sim/scenario/simulation.h"

namespace delivery_test {
namespace {

using sim::Event;
using sim::Handle;
using sim::NativeId;
using sim::Simulation;

struct Spot {
  sim::Vec3 position;
  const char* line;
  std::int32_t count;
};

// clang-format off
constexpr Spot kSpots[] = {
    {{-1653.702f, -1497.494f, 83.551f}, "GREET_SECOND_WILDERNESS_CONV", 5},
    {{-1622.347f, -1247.003f, 77.809f}, "GREET_SECOND_WILDERNESS_CONV", 5},
    {{-1626.852f, -1415.863f, 82.315f}, "MINIGAME_PLAYER_AMB_VOCALFX_FILLER", 5},
    {{-1608.532f, -1412.372f, 81.939f}, "MINIGAME_PLAYER_AMB_REACTION_NEUTRAL_LVL1", 5},
    {{-1603.690f, -1408.874f, 81.945f}, "MINIGAME_PLAYER_AMB_MONO_BAD_GAME", 6},
    {{-1585.874f, -1419.503f, 81.336f}, "GREET_WILD_HORSE_EXOTIC", 6},
    {{-1637.012f, -1383.266f, 83.686f}, "MINIGAME_PLAYER_AMB_FOCUSED_COMMENT_MED_WAGER", 3},
    {{-1651.200f, -1366.988f, 83.965f}, "MINIGAME_PLAYER_AMB_CURSE_MED", 5},
    {{-1656.014f, -1339.082f, 83.972f}, "MINIGAME_PLAYER_AMB_REACTION_FRUSTRATED_LVL1", 4},
    {{-1620.607f, -1389.146f, 82.888f}, "MINIGAME_PLAYER_AMB_VOCALFX_COMMENT_INTERESTING", 2},
    {{-1603.802f, -1415.832f, 81.927f}, "MINIGAME_PLAYER_AMB_REVEAL_GOOD", 3},
    {{-1585.584f, -1388.984f, 81.224f}, "MINIGAME_PLAYER_AMB_REACTION_NEUTRAL_LVL1", 5},
    {{-1645.265f, -1347.881f, 84.064f}, "MINIGAME_PLAYER_AMB_VOCALFX_FILLER", 5},
    {{-1592.600f, -1416.575f, 81.670f}, "SOOTH_HORSE", 8},
    {{-1590.568f, -1431.456f, 81.313f}, "SOOTH_HORSE_LOW_FEMALE", 10},
    {{-1635.756f, -1355.886f, 84.419f}, "MINIGAME_PLAYER_AMB_VOCALFX_FILLER", 5},
    {{-1647.475f, -1363.551f, 84.403f}, "MINIGAME_PLAYER_AMB_VOCALFX_COMMENT_INTERESTING", 2},
};
// clang-format on
constexpr std::size_t kSpotCount = std::size(kSpots);

// Frames since `from` in which the location remarks ran for `ped`: the frames with its
// spot tests. (A frame spent held in a wait has none.)
std::vector<std::uint64_t> RemarkPasses(const sim::Recorder& recorder, Handle ped,
                                        std::size_t from) {
  std::set<std::uint64_t> frames;
  for (const Event* e : CallsSince(recorder, NativeId::IsEntityAtCoord, from)) {
    if (e->args[0].i == ped) frames.insert(e->frame);
  }
  return {frames.begin(), frames.end()};
}

// Stands the player at `where` long enough for the camp to settle, then watches a few
// frames; returns the mark they start at.
std::size_t StandAndWatch(Simulation& sim, sim::Vec3 where) {
  sim.Teleport(where);
  sim.RunFor(1500);
  const std::size_t mark = sim.recorder().Size();
  sim.RunFrames(6);
  return mark;
}

TEST(LocationRemarks, EveryFrameTestsTheSeventeenSpotsInOrderFirstThing) {
  Simulation sim;
  const Handle player = sim.world().PlayerPed();
  const std::size_t mark = StandAndWatch(sim, {-1640.0f, -1400.0f, 83.0f});
  ASSERT_FALSE(sim.Failed()) << sim.Error();

  const auto passes = RemarkPasses(sim.recorder(), player, mark);
  ASSERT_GE(passes.size(), 4u);
  const auto& events = sim.recorder().Events();
  for (std::uint64_t frame : passes) {
    SCOPED_TRACE("frame " + std::to_string(frame));
    // The pass opens the frame: the script was resumed from its zero wait straight into it.
    std::size_t at = mark;
    while (events[at].frame != frame) ++at;
    ASSERT_TRUE(events[at - 1].isWait);
    ASSERT_LE(at + kSpotCount, events.size());
    for (std::size_t row = 0; row < kSpotCount; ++row) {
      SCOPED_TRACE("spot " + std::to_string(row + 1));
      const Event& test = events[at + row];
      ASSERT_EQ(test.id, NativeId::IsEntityAtCoord);
      EXPECT_EQ(test.args[0].i, player);
      EXPECT_EQ(test.args[1].f, kSpots[row].position.x);
      EXPECT_EQ(test.args[2].f, kSpots[row].position.y);
      EXPECT_EQ(test.args[3].f, kSpots[row].position.z);
      for (int axis = 4; axis <= 6; ++axis) EXPECT_EQ(test.args[axis].f, 2.0f);
      EXPECT_EQ(test.args[7].i, 0);
      EXPECT_EQ(test.args[8].i, 1);
      EXPECT_EQ(test.args[9].i, 0);
      EXPECT_FALSE(test.ResultBool());
    }
  }
  EXPECT_TRUE(RequestsBy(sim.recorder(), player, mark).empty()) << "on no spot";
}

TEST(LocationRemarks, StandingOnEachSpotRequestsItsLineEveryFrame) {
  Simulation sim;
  const Handle player = sim.world().PlayerPed();
  for (std::size_t row = 0; row < kSpotCount; ++row) {
    const Spot& spot = kSpots[row];
    SCOPED_TRACE("spot " + std::to_string(row + 1) + " " + spot.line);
    const std::size_t mark = StandAndWatch(sim, spot.position);
    ASSERT_FALSE(sim.Failed()) << sim.Error();

    const auto passes = RemarkPasses(sim.recorder(), player, mark);
    const auto requests = RequestsBy(sim.recorder(), player, mark);
    ASSERT_GE(passes.size(), 4u);
    ASSERT_EQ(requests.size(), passes.size()) << "one request per frame";
    for (std::size_t i = 0; i < requests.size(); ++i) {
      EXPECT_EQ(requests[i].frame, passes[i]);
      ExpectAmbientRequest(sim.recorder(), requests[i], spot.line, 1, spot.count + 1);
    }
  }
}

TEST(LocationRemarks, TwoAndAHalfUnitsOffAlongAnyAxisStopsTheRequests) {
  // Row 15 has the widest bounds, [1, 11).
  const Spot& spot = kSpots[14];
  struct Offset {
    sim::Vec3 by;
    bool onSpot;
  };
  const Offset offsets[] = {
      {{2.5f, 0.0f, 0.0f}, false},  {{-2.5f, 0.0f, 0.0f}, false}, {{0.0f, 2.5f, 0.0f}, false},
      {{0.0f, -2.5f, 0.0f}, false}, {{0.0f, 0.0f, 2.5f}, false},  {{0.0f, 0.0f, -2.5f}, false},
      {{1.9f, 0.0f, 0.0f}, true},   {{0.0f, -1.9f, 0.0f}, true},  {{0.0f, 0.0f, 1.9f}, true},
  };
  Simulation sim;
  const Handle player = sim.world().PlayerPed();
  for (const Offset& off : offsets) {
    SCOPED_TRACE("offset " + std::to_string(off.by.x) + ", " + std::to_string(off.by.y) + ", " +
                 std::to_string(off.by.z));
    const sim::Vec3 where{spot.position.x + off.by.x, spot.position.y + off.by.y,
                          spot.position.z + off.by.z};
    const std::size_t mark = StandAndWatch(sim, where);
    const auto requests = RequestsBy(sim.recorder(), player, mark);
    if (off.onSpot) {
      ASSERT_EQ(requests.size(), RemarkPasses(sim.recorder(), player, mark).size());
      EXPECT_FALSE(requests.empty());
      for (const SpeechRequest& r : requests) {
        ExpectAmbientRequest(sim.recorder(), r, spot.line, 1, 11);
      }
    } else {
      EXPECT_TRUE(requests.empty());
    }
  }
  EXPECT_FALSE(sim.Failed()) << sim.Error();
}

// The number read at setup may come to name someone else once the player has a new ped: the
// remarks fall silent, for the old ped and the new, without a call spent on the spots.
TEST(LocationRemarks, TheRemarksFallSilentOnceThePlayersPedChanges) {
  Simulation sim;
  const Spot& first = kSpots[13];  // SOOTH_HORSE
  const Spot& second = kSpots[8];  // where the new ped goes
  const Handle original = sim.world().PlayerPed();
  ASSERT_FALSE(RequestsBy(sim.recorder(), original, StandAndWatch(sim, first.position)).empty());
  const Handle replacement = sim.world().ReplacePlayerPed();  // the old ped stays on the spot
  ASSERT_NE(replacement, original);

  const std::size_t mark = StandAndWatch(sim, second.position);
  ASSERT_FALSE(sim.Failed()) << sim.Error();
  for (Handle ped : {original, replacement}) {
    EXPECT_TRUE(RequestsBy(sim.recorder(), ped, mark).empty()) << ped;
    EXPECT_TRUE(RemarkPasses(sim.recorder(), ped, mark).empty()) << ped;
  }
}

}  // namespace
}  // namespace delivery_test
