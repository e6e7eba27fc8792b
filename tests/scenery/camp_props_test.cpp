// The camp objects (the rows of scenery_table.h): placed together when the player comes near,
// removed together when the player goes away.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "scenery/scenery_run.h"
#include "scenery/scenery_table.h"
#include "sim/scenario/simulation.h"

namespace scenery_test {
namespace {

using sim::EntityKind;
using sim::Event;
using sim::Handle;
using sim::NativeId;
using sim::Simulation;

// Objects of the table's models that stand in the world now.
std::vector<Handle> LiveProps(const sim::World& world) {
  std::vector<Handle> live;
  for (const sim::Entity* e : world.Entities()) {
    if (e->kind == EntityKind::Object) live.push_back(e->handle);
  }
  return live;
}

// Walks in to the centre and returns the handles the objects were given, in creation order.
std::vector<Handle> PlaceProps(Simulation& sim) {
  const std::size_t mark = sim.recorder().Size();
  sim.Teleport(kPropsCentre);
  sim.RunFor(3000);
  std::vector<Handle> handles;
  for (const Event* e : CallsSince(sim.recorder(), NativeId::CreateObject, mark)) {
    handles.push_back(e->ResultInt());
  }
  return handles;
}

bool Contains(const std::vector<Handle>& handles, std::int64_t h) {
  return std::find(handles.begin(), handles.end(), h) != handles.end();
}

// Beyond 250 units of the camp's heart, for a second; returns the recorder's mark from
// before the ride.
std::size_t RideAwayFromTheProps(Simulation& sim) {
  const std::size_t mark = sim.recorder().Size();
  sim.Teleport(EastOf(kPropsCentre, 300.0f));
  sim.RunFor(1000);
  return mark;
}

// Of `handles`, those the native was called on since `mark`, in the order of the calls.
std::vector<Handle> AmongCalled(const sim::Recorder& recorder, NativeId id,
                                const std::vector<Handle>& handles, std::size_t mark) {
  std::vector<Handle> called;
  for (const Event* e : CallsSince(recorder, id, mark)) {
    if (Contains(handles, e->args[0].i)) called.push_back(static_cast<Handle>(e->args[0].i));
  }
  return called;
}

TEST(CampProps, ApproachPlacesEveryRowInTableOrderInOneFrame) {
  Simulation sim;
  sim.RunFrames(2);
  const std::size_t mark = sim.recorder().Size();
  sim.Teleport(kPropsCentre);
  sim.RunFor(3000);
  ASSERT_FALSE(sim.Failed()) << sim.Error();

  const std::size_t created = CallsSince(sim.recorder(), NativeId::CreateObject, mark).size();
  ASSERT_EQ(created, kPropCount) << PropCountNote(created);
  const auto& events = sim.recorder().Events();
  const std::size_t first = FirstCallSince(sim.recorder(), NativeId::CreateObject, mark);
  ASSERT_LE(first + 3 * kPropCount, events.size());
  // Each row is created, rotated and released before the next row is created; nothing
  // waits in between, so all of it falls in one frame.
  for (std::size_t row = 0; row < kPropCount; ++row) {
    SCOPED_TRACE("row " + std::to_string(row + 1));
    const PropRow& want = kProps[row];
    const Event& create = events[first + 3 * row];
    const Event& rotate = events[first + 3 * row + 1];
    const Event& release = events[first + 3 * row + 2];
    ASSERT_EQ(create.id, NativeId::CreateObject);
    ASSERT_EQ(rotate.id, NativeId::SetEntityRotation);
    ASSERT_EQ(release.id, NativeId::SetModelAsNoLongerNeeded);
    EXPECT_EQ(create.frame, events[first].frame);
    EXPECT_EQ(release.frame, events[first].frame);

    EXPECT_EQ(create.args[0].i, want.model);
    EXPECT_EQ(create.args[1].f, want.position.x);
    EXPECT_EQ(create.args[2].f, want.position.y);
    EXPECT_EQ(create.args[3].f, want.position.z);
    const std::int64_t flags[] = {1, 1, 1, 0, 1};
    for (std::size_t i = 0; i < std::size(flags); ++i) EXPECT_EQ(create.args[4 + i].i, flags[i]);

    const Handle handle = create.ResultInt();
    EXPECT_EQ(rotate.args[0].i, handle);
    EXPECT_EQ(rotate.args[1].f, want.rotation.x);
    EXPECT_EQ(rotate.args[2].f, want.rotation.y);
    EXPECT_EQ(rotate.args[3].f, want.rotation.z);
    EXPECT_EQ(rotate.args[4].i, 2);
    EXPECT_EQ(rotate.args[5].i, 1);
    EXPECT_EQ(release.args[0].i, want.model);

    const sim::Entity* placed = sim.world().Find(handle);
    ASSERT_NE(placed, nullptr);
    EXPECT_EQ(placed->kind, EntityKind::Object);
    EXPECT_EQ(placed->model, want.model);
    EXPECT_EQ(placed->position.x, want.position.x);
    EXPECT_EQ(placed->position.y, want.position.y);
    EXPECT_EQ(placed->position.z, want.position.z);
    EXPECT_EQ(placed->rotation.x, want.rotation.x);
    EXPECT_EQ(placed->rotation.y, want.rotation.y);
    EXPECT_EQ(placed->rotation.z, want.rotation.z);
  }

  // Placed once while the player stays, and never requested: objects need no streaming.
  EXPECT_EQ(CallsSince(sim.recorder(), NativeId::CreateObject, 0).size(), kPropCount);
  for (const Event* request : CallsSince(sim.recorder(), NativeId::RequestModel, 0)) {
    for (const PropRow& row : kProps) EXPECT_NE(request->args[0].i, row.model);
  }
  EXPECT_EQ(LiveProps(sim.world()).size(), kPropCount);
}

TEST(CampProps, LeavingRemovesThemAllAndEachReturnPlacesAFullNewSet) {
  Simulation sim;
  const std::vector<Handle> first = PlaceProps(sim);
  ASSERT_EQ(first.size(), kPropCount) << PropCountNote(first.size());

  std::size_t mark = sim.recorder().Size();
  sim.Teleport(EastOf(kPropsCentre, 251.0f));
  sim.RunFor(1000);
  ASSERT_FALSE(sim.Failed()) << sim.Error();
  // Every handle is tested, its model checked against its own row, its ownership asked, and
  // then deleted, in placement order, in one stretch.
  const auto& events = sim.recorder().Events();
  const std::size_t at =
      IndexOfCallOn(sim.recorder(), NativeId::DoesEntityExist, first.front(), mark);
  constexpr NativeId kEach[] = {NativeId::DoesEntityExist, NativeId::GetEntityModel,
                                NativeId::DoesEntityBelongToThisScript, NativeId::DeleteEntity};
  constexpr std::size_t kCalls = std::size(kEach);
  ASSERT_LE(at + kCalls * kPropCount, events.size());
  for (std::size_t row = 0; row < kPropCount; ++row) {
    SCOPED_TRACE("row " + std::to_string(row + 1));
    for (std::size_t i = 0; i < kCalls; ++i) {
      const Event& e = events[at + kCalls * row + i];
      ASSERT_FALSE(e.isWait);
      ASSERT_EQ(e.id, kEach[i]);
      EXPECT_EQ(e.args[0].i, first[row]);
    }
  }
  EXPECT_TRUE(LiveProps(sim.world()).empty());

  const std::vector<Handle> second = PlaceProps(sim);
  ASSERT_EQ(second.size(), kPropCount) << PropCountNote(second.size());
  for (Handle h : second) EXPECT_FALSE(Contains(first, h)) << h;
  EXPECT_EQ(LiveProps(sim.world()), second);

  // The second removal deals with the second set only: the first set's handles are gone
  // from the list, so the list never grows past one set.
  mark = sim.recorder().Size();
  sim.Teleport(EastOf(kPropsCentre, 300.0f));
  sim.RunFor(1000);
  std::vector<Handle> tested;
  for (const Event* e : CallsSince(sim.recorder(), NativeId::DoesEntityExist, mark)) {
    if (Contains(first, e->args[0].i) || Contains(second, e->args[0].i)) {
      tested.push_back(static_cast<Handle>(e->args[0].i));
    }
  }
  EXPECT_EQ(tested, second);
  EXPECT_TRUE(LiveProps(sim.world()).empty());
  EXPECT_EQ(PlaceProps(sim).size(), kPropCount);
  EXPECT_FALSE(sim.Failed()) << sim.Error();
}

TEST(CampProps, ExactlyTwoHundredPlacesNothingAndExactlyTwoHundredFiftyRemovesNothing) {
  Simulation sim;
  sim.RunFrames(2);
  std::size_t mark = sim.recorder().Size();
  sim.Teleport(EastOf(kPropsCentre, 200.0f));
  sim.RunFor(3000);
  ASSERT_FALSE(sim.Failed()) << sim.Error();
  const auto measured = DistancesTo(sim.recorder(), kPropsCentre, mark);
  ASSERT_FALSE(measured.empty());
  EXPECT_EQ(measured.back(), 200.0f);
  EXPECT_TRUE(CallsSince(sim.recorder(), NativeId::CreateObject, mark).empty());

  sim.Teleport(EastOf(kPropsCentre, 199.0f));
  sim.RunFor(1000);
  std::vector<Handle> placed;
  for (const Event* e : CallsSince(sim.recorder(), NativeId::CreateObject, mark)) {
    placed.push_back(e->ResultInt());
  }
  ASSERT_EQ(placed.size(), kPropCount)
      << "just inside the near distance; " << PropCountNote(placed.size());

  mark = sim.recorder().Size();
  sim.Teleport(EastOf(kPropsCentre, 250.0f));
  sim.RunFor(3000);
  EXPECT_EQ(DistancesTo(sim.recorder(), kPropsCentre, mark).back(), 250.0f);
  for (Handle prop : placed) {
    EXPECT_TRUE(CallsOn(sim.recorder(), NativeId::DeleteEntity, prop, mark).empty());
  }
  EXPECT_EQ(LiveProps(sim.world()).size(), kPropCount);

  sim.Teleport(EastOf(kPropsCentre, 250.5f));
  sim.RunFor(1000);
  EXPECT_TRUE(LiveProps(sim.world()).empty()) << "just beyond the far distance";
  EXPECT_FALSE(sim.Failed()) << sim.Error();
}

TEST(CampProps, AnObjectGoneBeforeRemovalIsSkippedAndTheRestAreRemoved) {
  Simulation sim;
  // The first row's creation fails (handle 0); the fifth row's object is later removed by
  // the game. Neither is deleted, and all the others are.
  sim.world().FailNextCreations(EntityKind::Object, 1);
  const std::vector<Handle> handles = PlaceProps(sim);
  ASSERT_EQ(handles.size(), kPropCount) << PropCountNote(handles.size());
  EXPECT_EQ(handles[0], 0);
  sim.world().Vanish(handles[4]);

  const std::size_t mark = RideAwayFromTheProps(sim);
  ASSERT_FALSE(sim.Failed()) << sim.Error();

  const std::vector<Handle> tested =
      AmongCalled(sim.recorder(), NativeId::DoesEntityExist, handles, mark);
  const std::vector<Handle> deleted =
      AmongCalled(sim.recorder(), NativeId::DeleteEntity, handles, mark);
  // The failed creation costs no call: the removal begins with the second row, straight
  // after the props' own distance.
  EXPECT_GE(tested.size(), kPropCount - 1);
  const auto& events = sim.recorder().Events();
  const std::size_t second =
      IndexOfCallOn(sim.recorder(), NativeId::DoesEntityExist, handles[1], mark);
  ASSERT_LT(second, events.size());
  ASSERT_FALSE(events[second - 1].isWait);
  EXPECT_EQ(events[second - 1].id, NativeId::GetDistanceBetweenCoords);
  EXPECT_TRUE(Contains(tested, handles[4]));
  EXPECT_EQ(deleted.size(), kPropCount - 2);
  EXPECT_FALSE(Contains(deleted, 0));
  EXPECT_FALSE(Contains(deleted, handles[4]));
  EXPECT_TRUE(LiveProps(sim.world()).empty());

  // The removal counted, so the next approach places the full set again.
  EXPECT_EQ(PlaceProps(sim).size(), kPropCount);
  EXPECT_EQ(LiveProps(sim.world()).size(), kPropCount);
}

// A host that does not know the existence check hands back no result area: the answer reads
// as "does not exist", so nothing is deleted, yet the set counts as removed and the next
// approach places a full set more.
TEST(CampProps, ExistenceCheckWithoutAResultAreaReadsAsGone) {
  Simulation sim;
  const std::vector<Handle> handles = PlaceProps(sim);
  ASSERT_EQ(handles.size(), kPropCount) << PropCountNote(handles.size());
  sim.host().WithoutResultArea(NativeId::DoesEntityExist);

  const std::size_t mark = RideAwayFromTheProps(sim);
  ASSERT_FALSE(sim.Failed()) << sim.Error();
  const std::vector<Handle> tested =
      AmongCalled(sim.recorder(), NativeId::DoesEntityExist, handles, mark);
  EXPECT_EQ(tested, handles);
  EXPECT_TRUE(AmongCalled(sim.recorder(), NativeId::DeleteEntity, handles, mark).empty());
  EXPECT_EQ(LiveProps(sim.world()), handles) << "left standing";

  EXPECT_EQ(PlaceProps(sim).size(), kPropCount);
  EXPECT_EQ(LiveProps(sim.world()).size(), 2 * kPropCount);
  EXPECT_FALSE(sim.Failed()) << sim.Error();
}

}  // namespace
}  // namespace scenery_test
