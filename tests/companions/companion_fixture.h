// Shared by the companion tests: the companions' fixed data, a run of the plugin with a
// filtered call log, and a readable rendering of calls to compare against expectations.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "companions/routine_tables.h"
#include "sim/scenario/simulation.h"

namespace campfire_test {

using sim::NativeId;

// --- the four companions ---

struct CompanionFacts {
  const char* name;
  std::uint32_t model;
  std::uint32_t outfit;
  sim::Vec3 home;
  float heading;
  std::int32_t firstStepDelayMs;
};

// The homes are routine_tables.h's.
inline constexpr CompanionFacts kCharles{
    "Charles", 0x53DD98DF, 0x1BB5E76A, homes::Charles.at, homes::Charles.heading, 1000};
inline constexpr CompanionFacts kSadie{"Sadie",         0x155E51DB,           0xEDB7FA06,
                                       homes::Sadie.at, homes::Sadie.heading, 1000};
inline constexpr CompanionFacts kKaren{"Karen",         0x9A3E29FB,           0xA6070639,
                                       homes::Karen.at, homes::Karen.heading, 1000};
inline constexpr CompanionFacts kAbe{"Abe",         0xA8B1C9F7,         0x027DA60F,
                                     homes::Abe.at, homes::Abe.heading, 2000};

inline constexpr std::array<CompanionFacts, 4> kCompanions{kCharles, kSadie, kKaren, kAbe};

// Where a test that holds the homes says they are kept.
inline constexpr const char* kHomesNote =
    " (the homes and headings expected are tests/companions/routine_tables.h's: update them if "
    "the change is intended)";

// Within 200 of every home and away from the spots where the player makes remarks.
inline constexpr sim::Vec3 kInCamp{-1630.0f, -1380.0f, 83.0f};
// More than 250 from every home.
inline constexpr sim::Vec3 kFarAway{-1000.0f, -1000.0f, 80.0f};

inline sim::Vec3 East(sim::Vec3 p, float units) { return {p.x + units, p.y, p.z}; }

struct RunSettings {
  sim::Vec3 playerStart = kFarAway;
  int loadPolls = 3;
  std::int32_t frameMs = 33;
  std::int32_t startClock = 100000;
  // The routine tests place Charles's scenario points themselves, where and when they test.
  bool campScenarioPoints = false;
};

inline sim::SimulationOptions OptionsFor(const RunSettings& s) {
  sim::SimulationOptions options;
  options.world.playerStart = s.playerStart;
  options.world.loadPolls = s.loadPolls;
  options.world.frameMs = s.frameMs;
  options.world.startClock = s.startClock;
  options.world.campScenarioPoints = s.campScenarioPoints;
  options.record = false;  // each run keeps its own CallLog
  return options;
}

// --- the call log ---

// Keeps the calls of chosen natives (or of all) and each one's place in the whole stream of
// calls and waits, so that "right before" can be checked without keeping every call of a
// long run.
class CallLog final : public sim::TraceSink {
 public:
  CallLog() { wanted_.fill(true); }
  explicit CallLog(std::initializer_list<NativeId> ids) {
    wanted_.fill(false);
    for (NativeId id : ids) wanted_[static_cast<std::size_t>(id)] = true;
  }

  void OnCall(const sim::CallEvent& e) override {
    if (wanted_[static_cast<std::size_t>(e.call.sig->id)]) {
      kept_.OnCall(e);
      positions_.push_back(count_);
    }
    ++count_;
  }
  void OnWait(std::uint64_t frame, std::int32_t clock, std::uint32_t ms) override {
    if (keepWaits_) {
      kept_.OnWait(frame, clock, ms);
      positions_.push_back(count_);
    }
    ++count_;
  }
  void KeepWaits() { keepWaits_ = true; }

  const std::vector<sim::Event>& Events() const { return kept_.Events(); }
  std::size_t PositionOf(std::size_t i) const { return positions_[i]; }
  // The kept event at this place of the whole stream, or nullptr.
  const sim::Event* AtPosition(std::size_t position) const {
    auto it = std::lower_bound(positions_.begin(), positions_.end(), position);
    if (it == positions_.end() || *it != position) return nullptr;
    return &kept_.Events()[static_cast<std::size_t>(it - positions_.begin())];
  }
  std::vector<const sim::Event*> Calls(NativeId id) const { return kept_.Calls(id); }

 private:
  std::array<bool, sim::kNativeCount> wanted_{};
  bool keepWaits_ = false;
  sim::Recorder kept_;
  std::vector<std::size_t> positions_;
  std::size_t count_ = 0;
};

// The plugin in the simulated world, with a log attached before its script first runs.
struct CampRun {
  explicit CampRun(const RunSettings& settings = {}) : CampRun(settings, CallLog()) {}
  CampRun(const RunSettings& settings, CallLog filter)
      : log(std::move(filter)), sim(OptionsFor(settings)) {
    log.KeepWaits();
    sim.host().AddSink(&log);
  }
  ~CampRun() { sim.host().RemoveSink(&log); }

  sim::World& world() { return sim.world(); }

  // Frames until `done` holds; false if `maxMs` of game clock pass first.
  template <class Done>
  bool RunUntil(Done done, std::int32_t maxMs) {
    const auto start = static_cast<std::uint32_t>(sim.Clock());
    while (!done()) {
      if (sim.Failed()) return false;
      if (static_cast<std::uint32_t>(sim.Clock()) - start >= static_cast<std::uint32_t>(maxMs)) {
        return false;
      }
      sim.Frame();
    }
    return true;
  }

  CallLog log;  // declared first: it outlives the simulation that writes to it
  sim::Simulation sim;
};

inline std::uint32_t ClockGap(std::int32_t later, std::int32_t earlier) {
  return static_cast<std::uint32_t>(later) - static_cast<std::uint32_t>(earlier);
}

// --- rendering calls as text ---

// Names whose hashes are shown by name, so that expectations read as the calls were meant.
inline constexpr const char* kKnownNames[] = {
    "REL_GANG_DUTCHS",
    "REL_PLAYER_LIKE",
    "PLAYER",
    "WEAPON_RIFLE_BOLTACTION",
    "AMMO_RIFLE",
    "WEAPON_REVOLVER_CATTLEMAN",
    "AMMO_REVOLVER",
    "WEAPON_SHOTGUN_PUMP",
    "AMMO_SHOTGUN",
    "WORLD_CAMP_FIRE_SEATED_GROUND",
    "WORLD_HUMAN_FEED_CHICKEN",
    "WORLD_HUMAN_BROOM_WORKING",
    "WORLD_HUMAN_POCKET_MIRROR",
    "WORLD_HUMAN_WRITE_NOTEBOOK",
    "WORLD_HUMAN_SIT_GUITAR",
    "WORLD_HUMAN_SIT_GROUND_READING",
};

inline std::string Real(float f) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", static_cast<double>(f));
  return text;
}

inline std::string Hex(std::uint32_t v) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", v);
  return text;
}

// Handles shown by role ("ped", "player") instead of by number.
using HandleNames = std::map<std::int64_t, std::string>;

inline std::string RenderArg(const sim::ArgValue& a, const HandleNames& names) {
  switch (a.kind) {
    case sim::ArgKind::Int:
    case sim::ArgKind::Bool:
      return std::to_string(a.i);
    case sim::ArgKind::Float:
      return Real(a.f);
    case sim::ArgKind::Hash: {
      const auto hash = static_cast<std::uint32_t>(a.i);
      for (const char* name : kKnownNames) {
        if (sim::JoaatHash(name) == hash) return std::string("#") + name;
      }
      return Hex(hash);
    }
    case sim::ArgKind::Handle:
    case sim::ArgKind::HandleRef: {
      const std::string prefix = a.kind == sim::ArgKind::HandleRef ? "&" : "";
      auto it = names.find(a.i);
      return prefix + (it != names.end() ? it->second : std::to_string(a.i));
    }
    case sim::ArgKind::String:
      return "\"" + a.s + "\"";
    case sim::ArgKind::TextOrNull:
      return a.raw == 0 ? "null" : "\"" + a.s + "\"";
    case sim::ArgKind::Speech:
      return "{\"" + a.lineName + "\", \"" + a.secondName + "\", " +
             std::to_string(a.speech.variation) + ", " + std::to_string(a.speech.paramsHash) +
             ", " + std::to_string(a.speech.reserved) + ", " + std::to_string(a.speech.option1) +
             ", " + std::to_string(a.speech.option2) + ", " + std::to_string(a.speech.option3) +
             "}";
    case sim::ArgKind::Text:
      return Hex(static_cast<std::uint32_t>(a.i));
  }
  return "?";
}

// "Name(arg, arg, ...)" or "wait N". `request` names an outfit request id in the natives
// that take one first.
inline std::string Render(const sim::Event& e, const HandleNames& names,
                          std::int64_t request = -1) {
  if (e.isWait) return "wait " + std::to_string(e.waitMs);
  const bool takesRequest = e.id == NativeId::IsMetaPedOutfitRequestReady ||
                            e.id == NativeId::ApplyPedMetaPedOutfit ||
                            e.id == NativeId::ReleaseMetaPedOutfitRequest;
  std::string text(e.Name());
  text += "(";
  for (std::size_t i = 0; i < e.args.size(); ++i) {
    if (i > 0) text += ", ";
    text += (i == 0 && takesRequest && e.args[i].i == request) ? "request"
                                                               : RenderArg(e.args[i], names);
  }
  return text + ")";
}

// --- creations ---

// The calls and waits of the nth creation of a model: from its RequestModel to its
// SetModelAsNoLongerNeeded, both included; empty if there is none.
inline std::vector<const sim::Event*> CreationOf(const CallLog& log, std::uint32_t model,
                                                 int nth = 0) {
  const auto& events = log.Events();
  std::vector<const sim::Event*> found;
  int seen = 0;
  for (const sim::Event& e : events) {
    const bool isModelCall = !e.isWait && !e.args.empty() && e.args[0].i == model;
    if (found.empty()) {
      if (isModelCall && e.id == NativeId::RequestModel && seen++ == nth) found.push_back(&e);
      continue;
    }
    found.push_back(&e);
    if (isModelCall && e.id == NativeId::SetModelAsNoLongerNeeded) return found;
  }
  return {};
}

inline sim::Handle CreatedPed(const std::vector<const sim::Event*>& creation) {
  for (const sim::Event* e : creation) {
    if (!e->isWait && e->id == NativeId::CreatePed) return e->ResultInt();
  }
  return 0;
}

inline std::vector<std::string> RenderCreation(const std::vector<const sim::Event*>& creation,
                                               sim::Handle player) {
  HandleNames names{{player, "player"}};
  std::int64_t request = -1;
  std::vector<std::string> lines;
  for (const sim::Event* e : creation) {
    if (!e->isWait && e->id == NativeId::CreatePed) names[e->ResultInt()] = "ped";
    if (!e->isWait && e->id == NativeId::RequestMetaPedOutfit) request = e->ResultInt();
    lines.push_back(Render(*e, names, request));
  }
  return lines;
}

// Every call of one native whose first argument is this value.
inline std::vector<const sim::Event*> CallsWithFirstArg(const CallLog& log, NativeId id,
                                                        std::int64_t first) {
  std::vector<const sim::Event*> found;
  for (const sim::Event* e : log.Calls(id)) {
    if (!e->args.empty() && e->args[0].i == first) found.push_back(e);
  }
  return found;
}

// Lines a ped was asked to speak, in order.
inline std::vector<const sim::Event*> SpeechOf(const CallLog& log, sim::Handle ped) {
  return CallsWithFirstArg(log, NativeId::PlayPedAmbientSpeechNative, ped);
}

// --- routines ---

// What a log must keep to follow a routine.
inline CallLog RoutineLog() {
  return CallLog{NativeId::GetRandomIntInRange,
                 NativeId::PlayPedAmbientSpeechNative,
                 NativeId::GetHashKey,
                 NativeId::TaskGoToCoord,
                 NativeId::TaskGoStraightToCoord,
                 NativeId::TaskStartScenarioAtPosition,
                 NativeId::TaskWanderInArea,
                 NativeId::IsPedUsingAnyScenario,
                 NativeId::RequestModel,
                 NativeId::SetModelAsNoLongerNeeded,
                 NativeId::CreatePed,
                 NativeId::DeleteEntity,
                 NativeId::DismissPed};
}

inline std::string Position(sim::Vec3 p) { return Real(p.x) + ", " + Real(p.y) + ", " + Real(p.z); }

inline std::string ExpectedGoTo(sim::Vec3 at, float speed, std::int32_t timeoutMs, GoToTail t) {
  return "TaskGoToCoord(ped, " + Position(at) + ", " + Real(speed) + ", " +
         std::to_string(timeoutMs) + ", 1, " + std::to_string(t.a) + ", " + std::to_string(t.b) +
         ", " + std::to_string(t.c) + ")";
}

inline bool IsTask(NativeId id) {
  return id == NativeId::TaskGoToCoord || id == NativeId::TaskGoStraightToCoord ||
         id == NativeId::TaskStartScenarioAtPosition || id == NativeId::TaskWanderInArea;
}

struct StepSeen {
  std::int32_t step;
  std::int32_t clock;
  bool retry;  // a repeat of a step that waits for a scenario
};

// Follows the lines one ped was given, in order, against the routine's table from step 0:
// the draw right before each line, the line, the task right after it, and the clock between
// consecutive steps. Returns the steps as they were seen; mismatches fail the test.
inline std::vector<StepSeen> FollowRoutine(const CallLog& log, sim::Handle ped,
                                           const ExpectedRoutine& routine, std::int32_t frameMs) {
  const HandleNames names{{ped, "ped"}};
  const auto& events = log.Events();
  std::vector<StepSeen> seen;
  std::int32_t step = 0;
  std::int32_t pendingDelay = 0;
  auto at = [&](std::size_t position) -> std::string {
    const sim::Event* e = log.AtPosition(position);
    return e != nullptr ? Render(*e, names) : "(nothing kept)";
  };
  for (std::size_t i = 0; i < events.size(); ++i) {
    const sim::Event& speech = events[i];
    if (speech.isWait || speech.id != NativeId::PlayPedAmbientSpeechNative ||
        speech.args[0].i != ped) {
      continue;
    }
    const ExpectedStep& row = routine.steps[static_cast<std::size_t>(step)];
    const std::size_t position = log.PositionOf(i);
    SCOPED_TRACE(std::string(routine.companion) + " step " + std::to_string(step) + " at clock " +
                 std::to_string(speech.clock) +
                 " (expected: tests/companions/routine_tables.h; update it if the change is "
                 "intended)");

    const sim::Event* draw = log.AtPosition(position - 1);
    EXPECT_EQ(at(position - 1), "GetRandomIntInRange(" + std::to_string(row.lo) + ", " +
                                    std::to_string(row.hi) + ")");
    const std::int32_t variation = draw != nullptr ? draw->ResultInt() : -1;
    EXPECT_GE(variation, row.lo);
    EXPECT_LT(variation, row.hi);
    EXPECT_EQ(Render(speech, names), "PlayPedAmbientSpeechNative(ped, {\"" + std::string(row.line) +
                                         "\", \"\", " + std::to_string(variation) +
                                         ", 0, 0, 0, 0, 0})");

    if (!seen.empty()) {
      const std::uint32_t gap = ClockGap(speech.clock, seen.back().clock);
      EXPECT_GT(gap, static_cast<std::uint32_t>(pendingDelay));
      EXPECT_LE(gap, static_cast<std::uint32_t>(pendingDelay + frameMs));
    }

    bool retry = false;
    switch (row.task) {
      case Task::GoTo:
        EXPECT_EQ(at(position + 1), ExpectedGoTo(row.at, row.speed, row.timeoutMs, routine.tail));
        break;
      case Task::GoStraight:
      case Task::GoStraightHome:
        EXPECT_EQ(at(position + 1), "TaskGoStraightToCoord(ped, " + Position(row.at) +
                                        ", 1.000, -1, " + Real(row.heading) +
                                        ", 0, 0, 0, 0.000, 0, 0.000)");
        break;
      case Task::Scenario:
        EXPECT_EQ(at(position + 1), "GetHashKey(\"" + std::string(row.scenario) + "\")");
        EXPECT_EQ(at(position + 2), "TaskStartScenarioAtPosition(ped, #" +
                                        std::string(row.scenario) + ", " + Position(row.at) + ", " +
                                        Real(row.heading) + ", " + std::to_string(row.durationMs) +
                                        ", 1, 0, null, 0.000, 0)");
        break;
      case Task::Wander:
        EXPECT_EQ(at(position + 1),
                  "TaskWanderInArea(ped, " + Position(row.at) + ", 50.000, 1.000, 2.000, 0)");
        break;
      case Task::UntilScenario: {
        const sim::Event* query = log.AtPosition(position + 1);
        EXPECT_EQ(at(position + 1), "IsPedUsingAnyScenario(ped)");
        retry = query == nullptr || !query->ResultBool();
        if (retry) {
          EXPECT_EQ(at(position + 2),
                    ExpectedGoTo(row.at, kRetrySpeed, kRetryTimeoutMs, routine.tail));
        } else {
          for (std::size_t j = i + 1; j < events.size(); ++j) {
            const sim::Event& e = events[j];
            if (e.isWait || e.args.empty() || e.args[0].i != ped) continue;
            if (e.id == NativeId::PlayPedAmbientSpeechNative) break;
            EXPECT_FALSE(IsTask(e.id))
                << "a task once the ped uses a scenario: " << Render(e, names);
          }
        }
        break;
      }
    }
    seen.push_back({step, speech.clock, retry});
    pendingDelay = retry ? kRetryDelayMs : row.delayMs;
    if (!retry) step = row.next;
  }
  return seen;
}

// The steps acted on, in order, without the repeats.
inline std::vector<std::int32_t> StepsActed(const std::vector<StepSeen>& seen) {
  std::vector<std::int32_t> steps;
  for (const StepSeen& s : seen) {
    if (!s.retry) steps.push_back(s.step);
  }
  return steps;
}

}  // namespace campfire_test
