// Shared by the reliability tests: a run of the plugin in a world that misbehaves on
// purpose, what to watch of it, and the checks every fault must pass afterwards: no host
// error, the main loop still going round, and nothing left in the world that should not be.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "sim/scenario/camp_places.h"
#include "sim/scenario/simulation.h"
#include "tools/campsim/camp/camp_tables.h"
#include "tools/campsim/timeline/census.h"

namespace reliability_test {

using sim::NativeId;

// Loading waits give up after this much game clock.
inline constexpr std::int32_t kLoadBoundMs = 10000;
inline constexpr std::int32_t kFrameMs = 33;
// The longest delay between two routine steps (Abe's wander); a window one step longer
// sees every companion act.
inline constexpr std::int32_t kLongestStepMs = 180000;

// Within 200 of every home, the tent's and the props' centres and the wagon's spot, and
// on none of the spots where the player remarks.
inline constexpr sim::Vec3 kInCamp{-1630.0f, -1380.0f, 83.0f};
// More than 250 from all of them, and far from the fence.
inline constexpr sim::Vec3 kFarAway{-1000.0f, -1000.0f, 80.0f};

inline sim::Vec3 East(sim::Vec3 p, float units) { return {p.x + units, p.y, p.z}; }

inline const campsim::CompanionInfo& Facts(std::string_view name) {
  const campsim::CompanionInfo* c = campsim::CompanionByName(name);
  if (c == nullptr) throw std::invalid_argument("no companion called " + std::string(name));
  return *c;
}

// The lines from the first one of this name on: an exchange, without the routine lines
// that may have come before it.
inline std::vector<sim::SpokenLine> From(const std::vector<sim::SpokenLine>& lines,
                                         std::string_view name) {
  auto first = std::find_if(lines.begin(), lines.end(),
                            [&](const sim::SpokenLine& l) { return l.lineName == name; });
  return {first, lines.end()};
}

inline std::uint32_t ClockGap(std::int32_t later, std::int32_t earlier) {
  return static_cast<std::uint32_t>(later) - static_cast<std::uint32_t>(earlier);
}

// Keeps the calls of the natives a fault test looks at, and counts the passes of the
// plugin's main loop: a pass ends in the frame's own yield, right after the objective's
// question whether the player sits in the wagon.
class FaultWatch final : public sim::TraceSink {
 public:
  explicit FaultWatch(const sim::Host& host) : host_(host) {}

  void OnCall(const sim::CallEvent& e) override {
    if (Kept(e.call.sig->id)) kept_.OnCall(e);
  }
  void OnWait(std::uint64_t, std::int32_t, std::uint32_t ms) override {
    if (ms == 0 && (host_.LastNative() == NativeId::IsPedInVehicle ||
                    host_.LastNative() == NativeId::ObjectiveCueC)) {
      ++passes_;
    }
  }

  std::uint64_t Passes() const { return passes_; }
  std::vector<const sim::Event*> Calls(NativeId id) const { return kept_.Calls(id); }
  // Calls of one native whose first argument (a handle variable's value, for removals)
  // is this value.
  std::vector<const sim::Event*> CallsWith(NativeId id, std::int64_t first) const {
    std::vector<const sim::Event*> found;
    for (const sim::Event* e : kept_.Calls(id)) {
      if (!e->args.empty() && e->args[0].i == first) found.push_back(e);
    }
    return found;
  }

 private:
  static bool Kept(NativeId id) {
    static constexpr std::array kKept{
        NativeId::RequestModel,
        NativeId::SetModelAsNoLongerNeeded,
        NativeId::HasModelLoaded,
        NativeId::CreatePed,
        NativeId::CreateVehicle,
        NativeId::CreateObject,
        NativeId::CreatePropset,
        NativeId::RequestPropset,
        NativeId::HasPropsetLoaded,
        NativeId::AddPropsetToVehicle,
        NativeId::BlipAddForEntity,
        NativeId::RemoveBlip,
        NativeId::DeleteEntity,
        NativeId::DeleteVehicle,
        NativeId::DismissPed,
        NativeId::RequestMetaPedOutfit,
        NativeId::ApplyPedMetaPedOutfit,
        NativeId::ReleaseMetaPedOutfitRequest,
        NativeId::PromptRegisterBegin,
        NativeId::PromptDelete,
        NativeId::PromptSetEnabled,
        NativeId::TaskTurnPedToFaceEntity,
        NativeId::ShowObjectiveText,
        NativeId::SetBlockingOfNonTemporaryEvents,
        NativeId::PlayPedAmbientSpeechNative,
    };
    return std::find(kKept.begin(), kKept.end(), id) != kKept.end();
  }

  const sim::Host& host_;
  sim::Recorder kept_;
  std::uint64_t passes_ = 0;
};

struct FaultSettings {
  sim::Vec3 playerStart = kInCamp;
  std::int32_t startClock = 100000;
  std::int32_t speechMs = 2500;
  float releaseRange = sim::WorldSettings{}.releaseRange;
  bool reuseHandles = false;
  bool releaseZeroes = false;
  bool blipGoesWithEntity = false;
  bool trackPropsetRequests = false;
  bool reloadKeepsPlayerNumber = false;
};

// The plugin loaded into a fresh world; its script first runs on the first frame, so a
// fault set up right after construction is there from the start.
class FaultRun {
 public:
  explicit FaultRun(const FaultSettings& s = {}) : sim(Options(s)), watch(sim.host()) {
    sim.host().AddSink(&watch);
  }
  ~FaultRun() { sim.host().RemoveSink(&watch); }
  FaultRun(const FaultRun&) = delete;
  FaultRun& operator=(const FaultRun&) = delete;

  sim::World& world() { return sim.world(); }

  void RunFor(std::int32_t ms) { sim.RunFor(ms); }
  // Frames until `done` holds; false if `maxMs` of game clock pass first or the host
  // stops the plugin.
  template <class Done>
  bool RunUntil(Done done, std::int32_t maxMs) {
    const std::int32_t start = sim.Clock();
    while (!done()) {
      if (sim.Failed() || ClockGap(sim.Clock(), start) >= static_cast<std::uint32_t>(maxMs)) {
        return false;
      }
      sim.Frame();
    }
    return true;
  }
  void Visit(sim::Vec3 where, std::int32_t ms) {
    sim.Teleport(where);
    RunFor(ms);
  }

  // The script sits in its frame's own yield, outside every load, pause and exchange.
  bool AtRest() {
    const sim::Host& host = sim.host();
    return host.Waiting() && host.WaitMs() == 0 &&
           (host.LastNative() == NativeId::IsPedInVehicle ||
            host.LastNative() == NativeId::ObjectiveCueC);
  }

  sim::Handle Ped(std::string_view name) { return world().FindPedNamed(name); }
  // Live, not dead, peds of a model.
  int LivingPedsOf(std::uint32_t model) {
    int living = 0;
    for (sim::Handle h : world().EntitiesOfModel(model)) {
      const sim::Entity* e = world().Find(h);
      living += e != nullptr && e->kind == sim::EntityKind::Ped && !e->dead;
    }
    return living;
  }
  int Props() {
    int props = 0;
    for (const sim::Entity* e : world().Entities()) props += e->kind == sim::EntityKind::Object;
    return props;
  }
  int Tents() {
    return static_cast<int>(
        world().EntitiesOfModel(sim::JoaatHash(sim::places::kTentPropset)).size());
  }

  // Lines this ped was asked to speak since `mark` (an index into the world's record), heard
  // or not.
  std::vector<sim::SpokenLine> LinesBy(sim::Handle speaker, std::size_t mark) {
    std::vector<sim::SpokenLine> lines;
    const auto& spoken = world().Spoken();
    for (std::size_t i = mark; i < spoken.size(); ++i) {
      if (spoken[i].speaker == speaker) lines.push_back(spoken[i]);
    }
    return lines;
  }
  std::size_t SpokenMark() { return world().Spoken().size(); }

  // Once the companion is there and the script at rest, the player locks on and holds
  // "Talk". The companion's ped and the mark of the spoken lines before the hold.
  struct TalkStart {
    sim::Handle ped = 0;
    std::size_t mark = 0;
  };
  TalkStart HoldTalk(std::string_view name) {
    EXPECT_TRUE(RunUntil([&] { return Ped(name) != 0 && AtRest(); }, 30000));
    TalkStart start{Ped(name), 0};
    EXPECT_TRUE(sim.Target(name));
    RunFor(500);
    start.mark = SpokenMark();
    sim.Hold("INPUT_CONTEXT_A", 800);
    return start;
  }

  // Over one longest routine step, the main loop keeps going round and each named companion
  // is there and acts at least one step.
  void ExpectKeepsStepping(std::initializer_list<const char*> names) {
    const std::size_t mark = SpokenMark();
    const std::uint64_t passes = watch.Passes();
    RunFor(kLongestStepMs + 5000);
    ASSERT_FALSE(sim.Failed()) << sim.Error();
    // No fault here holds the loop: one pass a frame, give or take a few.
    EXPECT_GE(watch.Passes() - passes, static_cast<std::uint64_t>(kLongestStepMs / kFrameMs));
    for (const char* name : names) {
      const sim::Handle ped = Ped(name);
      EXPECT_NE(ped, 0) << name << " should be in the camp";
      EXPECT_FALSE(LinesBy(ped, mark).empty()) << name << " stopped stepping";
    }
  }

  // The host saw no malformed call, and once the script comes to rest the camp holds no
  // more than it should: one living ped per companion, fourteen props, one tent, one wagon,
  // one blip and that on a wagon, twelve prompts, every model and outfit request released.
  void ExpectHealthy() {
    ASSERT_FALSE(sim.Failed()) << sim.Error();
    ASSERT_TRUE(RunUntil([this] { return AtRest(); }, 60000)) << "the script never came to rest";
    const campsim::CampCensus census = campsim::TakeCensus(sim);
    ASSERT_TRUE(census.atRest);
    const std::vector<std::string> broken = campsim::CheckCensus(census);
    EXPECT_TRUE(broken.empty()) << testing::PrintToString(broken) << "\n"
                                << campsim::DescribeAlive(census);
  }

  sim::Simulation sim;
  FaultWatch watch;

 private:
  static sim::SimulationOptions Options(const FaultSettings& s) {
    sim::SimulationOptions options;
    options.world.playerStart = s.playerStart;
    options.world.startClock = s.startClock;
    options.world.speechMs = s.speechMs;
    options.world.releaseRange = s.releaseRange;
    options.world.reuseHandles = s.reuseHandles;
    options.world.releaseZeroes = s.releaseZeroes;
    options.world.blipGoesWithEntity = s.blipGoesWithEntity;
    options.world.trackPropsetRequests = s.trackPropsetRequests;
    options.world.reloadKeepsPlayerNumber = s.reloadKeepsPlayerNumber;
    options.record = false;  // minutes of every call would not fit; the watch keeps what counts
    return options;
  }
};

}  // namespace reliability_test
