// Requests, releases and outfits: what a run leaves unreleased.
#include <gtest/gtest.h>

#include "tests/world/world_driver.h"

namespace sim::testing {
namespace {

constexpr std::uint32_t kOutfit = 0x1BB5E76Au;

std::int32_t ReadyOutfit(WorldDriver& d, std::uint32_t model, std::uint32_t outfit) {
  std::int32_t request = d.Int(NativeId::RequestMetaPedOutfit, model, outfit);
  for (int polls = 0; polls < 10; ++polls) {
    if (d.Bool(NativeId::IsMetaPedOutfitRequestReady, request)) break;
    d.Frames(1);
  }
  return request;
}

TEST(WorldLoading, ListsModelAndOutfitRequestsUntilReleasedButNotPropsets) {
  WorldDriver d;
  Handle ped = d.SpawnPed(kCharles, kCamp);
  std::int32_t request = ReadyOutfit(d, kCharles, kOutfit);
  d.Call(NativeId::RequestPropset, JoaatHash("pg_re_supplydelivery01x"));
  EXPECT_EQ(d.world.UnreleasedRequests(), (std::vector<std::uint32_t>{kOutfit, kCharles}));

  d.Call(NativeId::ApplyPedMetaPedOutfit, request, ped, 1, 1);
  d.Call(NativeId::ReleaseMetaPedOutfitRequest, request);
  d.Call(NativeId::SetModelAsNoLongerNeeded, kCharles);
  EXPECT_TRUE(d.world.UnreleasedRequests().empty());
  EXPECT_EQ(d.world.Ped(ped)->outfit, kOutfit);
  EXPECT_EQ(d.world.RequestedPropsets().size(), 1u);
}

TEST(WorldLoading, ReleasedModelMustBeRequestedAgain) {
  WorldDriver d;
  d.LoadModel(kCharles);
  d.Call(NativeId::SetModelAsNoLongerNeeded, kCharles);
  EXPECT_FALSE(d.Bool(NativeId::HasModelLoaded, kCharles));
  EXPECT_EQ(d.Int(NativeId::CreatePed, kCharles, 0.0f, 0.0f, 0.0f, 0.0f, 1, 1, 0, 0), 0);
}

TEST(WorldLoading, OutfitThatNeverLoadsIsNeverReadyNorApplied) {
  WorldDriver d;
  Handle ped = d.SpawnPed(kCharles, kCamp);
  d.world.NeverLoads(kOutfit);
  std::int32_t request = ReadyOutfit(d, kCharles, kOutfit);
  EXPECT_FALSE(d.Bool(NativeId::IsMetaPedOutfitRequestReady, request));
  d.Call(NativeId::ApplyPedMetaPedOutfit, request, ped, 1, 1);
  EXPECT_EQ(d.world.Ped(ped)->outfit, 0u);
}

}  // namespace
}  // namespace sim::testing
