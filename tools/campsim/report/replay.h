// What a run recorded over time, for the report's page to play back: where everyone was,
// what held at each moment (a line being spoken, a task, the prompts, the objective, a
// stall, ...) and the timeline's lines.
#pragma once

#include <cmath>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "sim/scenario/simulation.h"
#include "tools/campsim/map/map_svg.h"
#include "tools/campsim/run/scenario_runner.h"
#include "tools/campsim/timeline/timeline.h"

namespace campsim {

struct TrackPoint {
  std::int64_t ms;
  sim::Vec3 at;
};

// A track's coordinate as the pages are given it: to a hundredth of a unit.
inline double Hundredth(float v) { return std::round(static_cast<double>(v) * 100.0) / 100.0; }

// One actor's way through the run, in pieces where it was there. Only the frames where it
// changed pace or direction are kept: straight lines between them are exact.
struct Track {
  std::string name;  // "player", a companion's name, "wagon"
  std::vector<std::vector<TrackPoint>> segments;
};

// A value that held from one moment to another (toMs excluded); its words as shown.
struct Span {
  std::int64_t fromMs;
  std::int64_t toMs;
  std::string text;
};

struct TimelineEntry {
  std::int64_t ms;
  std::string text;
};

struct Replay {
  std::int64_t lengthMs = 0;
  std::int32_t frameMs = 33;
  std::vector<Track> tracks;
  // "speech:Charles", "task:Charles", "prompts", "held", "objective", "blip", "tent",
  // "props", "stall", each the spans in which it held.
  std::map<std::string, std::vector<Span>> channels;
  std::vector<TimelineEntry> lines;

  // As a map's trails: the tracks' points.
  std::vector<Trail> Trails() const;
};

class ReplayRecorder final : public FrameObserver, public TimelineListener {
 public:
  // The timeline, if any, tells its lines, the tasks it words and what the script waits for.
  explicit ReplayRecorder(const Timeline* timeline);

  void AfterFrame(sim::Simulation& sim) override;
  void OnLine(std::int64_t atMs, const std::string& text) override;
  void OnTask(std::int64_t atMs, const std::string& who, const std::string& words) override;

  // What is recorded so far, spans still open ending at -1: for the live run's page.
  const Replay& Current() const { return replay_; }
  // Closes what is still open at the end of the run.
  Replay Finish(const sim::World& world);

 private:
  void Set(const std::string& channel, std::int64_t atMs, const std::string& text);
  void SampleActor(std::size_t i, std::int64_t ms, sim::Handle handle, const sim::Entity* e);
  void SampleSpeech(const sim::World& world, std::int64_t now);
  void SamplePrompts(const sim::World& world, std::int64_t now);
  void SampleScenery(sim::Simulation& sim, std::int64_t now);

  const Timeline* timeline_;
  Replay replay_;
  std::map<std::string, bool> open_;  // a channel whose last span has not ended
  std::vector<sim::Handle> lastHandle_;
  std::vector<std::int64_t> lastKeyMs_;
  std::size_t spokenSeen_ = 0;
  std::map<sim::Handle, std::string> lastSaid_;  // a speaker's latest line, worded
  std::size_t objectivesSeen_ = 0;
  std::string objective_;
};

}  // namespace campsim
