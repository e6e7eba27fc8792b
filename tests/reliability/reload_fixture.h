// Reloads compared with fresh loads: from a reload on, the plugin must make the calls a
// freshly loaded plugin makes in a world in the same state (the player's place, the clock,
// the random streams), handles aside.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "sim/host/native_signature.h"
#include "sim/scenario/simulation.h"
#include "sim/world/world.h"

namespace reliability_test {

// The places where the game puts an idle ped to work, which Charles's routine waits for.
inline void Furnish(sim::World& world) {
  world.AddScenarioPoint({-1624.147f, -1331.240f, 82.970f}, 1.0f, sim::JoaatHash("PROP_CHOP"));
  world.AddScenarioPoint({-1647.476f, -1368.414f, 84.471f}, 1.0f, sim::JoaatHash("PROP_SIT"));
}

// One line per call or wait, with the clock it happened at and every handle replaced by the
// order in which the run first used it, so that two runs whose handles differ compare.
class HandleFreeTrace {
 public:
  std::vector<std::string> Lines(const sim::Recorder& recorder, std::size_t from) {
    std::vector<std::string> lines;
    const auto& events = recorder.Events();
    for (std::size_t i = from; i < events.size(); ++i) lines.push_back(Line(events[i]));
    return lines;
  }

 private:
  std::string Handle(std::int64_t value) {
    if (value == 0) return "0";
    auto [it, fresh] = names_.emplace(value, static_cast<int>(names_.size()) + 1);
    return "h" + std::to_string(it->second);
  }

  std::string Line(const sim::Event& e) {
    std::string line = std::to_string(e.clock) + " ";
    if (e.isWait) return line + "wait " + std::to_string(e.waitMs);
    line += std::string(e.Name()) + "(";
    for (std::size_t i = 0; i < e.args.size(); ++i) {
      const sim::ArgValue& a = e.args[i];
      if (i > 0) line += ", ";
      const bool group = e.id == sim::NativeId::PromptSetGroup && i == 1;
      switch (a.kind) {
        case sim::ArgKind::Handle:
        case sim::ArgKind::HandleRef:
          line += Handle(a.i);
          break;
        case sim::ArgKind::Speech:
          line += a.lineName + "/" + a.secondName + "/" + std::to_string(a.speech.variation);
          break;
        case sim::ArgKind::String:
        case sim::ArgKind::TextOrNull:
          line += "\"" + a.s + "\"";
          break;
        default:
          // A prompt group is made from the targeted entity's handle.
          line += group ? Handle(a.i) : std::to_string(a.raw);
      }
    }
    line += ") -> ";
    const sim::ResultKind result = sim::SignatureOf(e.id).result;
    if (result == sim::ResultKind::Handle ||
        e.id == sim::NativeId::PromptGetGroupIdForTargetEntity) {
      line += Handle(e.ResultInt());
    } else {
      line += std::to_string(e.result[0]) + "," + std::to_string(e.result[1]) + "," +
              std::to_string(e.result[2]);
    }
    return line;
  }

  std::map<std::int64_t, int> names_;
};

// Where two traces first part, with a few lines of each from there.
inline std::string FirstDifference(const std::vector<std::string>& got,
                                   const std::vector<std::string>& want) {
  std::size_t i = 0;
  while (i < got.size() && i < want.size() && got[i] == want[i]) ++i;
  if (i == got.size() && i == want.size()) return "";
  std::string text = "first difference at line " + std::to_string(i) + " of " +
                     std::to_string(got.size()) + " (reloaded) and " + std::to_string(want.size()) +
                     " (fresh)\n";
  for (std::size_t k = i; k < i + 4; ++k) {
    text += "  reloaded: " + (k < got.size() ? got[k] : std::string("(end)")) + "\n";
    text += "  fresh:    " + (k < want.size() ? want[k] : std::string("(end)")) + "\n";
  }
  return text;
}

using Steps = std::function<void(sim::Simulation&)>;

struct ReloadCase {
  sim::Vec3 start{-1630.0f, -1380.0f, 83.0f};  // in the camp
  int loadPolls = 3;
  Steps before;                                      // what the player does before the reload
  std::optional<sim::Vec3> reloadAt = std::nullopt;  // where the player stands after it
  Steps after;                                       // what the player does after it, in both runs
};

// Runs the case, reloads, and compares everything from the reload on with a fresh load.
// Returns the reloaded simulation's call count after the reload, so a case can check it ran.
inline std::size_t ExpectReloadActsAsAFreshLoad(const ReloadCase& c) {
  sim::SimulationOptions options;
  options.world.playerStart = c.start;
  options.world.loadPolls = c.loadPolls;
  sim::Simulation reloaded(options);
  Furnish(reloaded.world());
  c.before(reloaded);
  EXPECT_FALSE(reloaded.Failed()) << reloaded.Error();

  sim::SimulationOptions fresh = options;
  fresh.world.startClock = reloaded.Clock();
  fresh.world.playerStart = c.reloadAt.value_or(reloaded.world().PlayerPosition());
  const sim::RandomStreams streams = reloaded.world().Streams();

  reloaded.Reload(c.reloadAt);
  const std::size_t mark = reloaded.recorder().Size();
  c.after(reloaded);
  EXPECT_FALSE(reloaded.Failed()) << reloaded.Error();
  std::vector<std::string> got = HandleFreeTrace().Lines(reloaded.recorder(), mark);

  std::vector<std::string> want;
  {
    // The plugin is one library per process: the reloaded run lets go of it first.
    reloaded.Unload();
    sim::Simulation loaded(fresh);
    Furnish(loaded.world());
    loaded.world().SetStreams(streams);
    c.after(loaded);
    EXPECT_FALSE(loaded.Failed()) << loaded.Error();
    want = HandleFreeTrace().Lines(loaded.recorder(), 0);
  }
  EXPECT_GT(got.size(), 100u);
  EXPECT_EQ(FirstDifference(got, want), "");
  return got.size();
}

}  // namespace reliability_test
