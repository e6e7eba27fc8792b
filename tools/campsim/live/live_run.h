// The camp played live: the simulation on a thread of its own, advancing game time at the
// chosen pace, taking steps posted from the page between frames only, and recording what
// it applied, with the game time between as waits of whole frames, so that the recording
// is a scenario file that replays the run exactly.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <future>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "sim/scenario/simulation.h"
#include "tools/campsim/live/live_feed.h"
#include "tools/campsim/run/scenario_runner.h"
#include "tools/campsim/scenario_file/bounds.h"
#include "tools/campsim/scenario_file/scenario.h"
#include "tools/campsim/timeline/timeline.h"

namespace campsim {

struct LiveOptions {
  sim::WorldSettings world;
  std::string pluginPath = CAMPFIRE_PLUGIN_PATH;
  int speed = 1;                  // game seconds a second: 0 (paused), 1, 10 or 60
  bool paced = true;              // false: frames as fast as they run (tests, the load figure)
  bool idle = true;               // false: game time passes only inside the steps posted (tests)
  std::FILE* trace = nullptr;     // every call and wait, as --trace writes them
  std::size_t maxWaiting = 4096;  // steps posted and not applied yet
};

class LiveRun final : private FrameObserver, private TimelineListener {
 public:
  explicit LiveRun(LiveOptions options);
  ~LiveRun() override;
  LiveRun(const LiveRun&) = delete;
  LiveRun& operator=(const LiveRun&) = delete;

  // Waits until the plugin is loaded: "" or the one line saying why it is not.
  std::string Ready();
  // Queues a step read from the page: "" or why it is refused, as a file's step would be.
  // `unavailable`: refused for the moment (too many waiting, or stopping), not for itself.
  std::string Post(Step step, bool* unavailable = nullptr);
  void SetSpeed(int speed);
  // The run so far as a scenario file, up to this moment; "" and `error` when it cannot be
  // saved now (a step still playing).
  std::string Save(std::string& error);
  LiveFeed& Feed() { return feed_; }

  struct Status {
    std::int64_t ms = 0;
    std::uint64_t frames = 0;
    std::size_t waiting = 0;  // steps posted, not yet applied or still playing
    std::size_t steps = 0;    // steps recorded, waits included
  };
  Status Now() const;
  // Stops the simulation's thread and ends the timeline as the end of a run does.
  void Stop();
  // After Stop: the timeline as campsim prints it.
  std::string TimelineText() const;

 private:
  struct Stopping {};
  struct SaveRequest {
    std::uint64_t after;  // steps posted before it: they are saved too
    std::promise<std::pair<std::string, std::string>> answer;  // the file, or the problem
  };

  void Main();
  void ApplyWaiting();
  void CloseWait();
  bool AnswerSaves(bool busy);  // true if a save was answered with its file
  void Publish(bool force);
  json NowState() const;
  void Pace();

  void AfterFrame(sim::Simulation& sim) override;
  void OnLine(std::int64_t atMs, const std::string& text) override;
  void OnTask(std::int64_t atMs, const std::string& who, const std::string& words) override;

  const LiveOptions options_;
  LiveFeed feed_;

  // Shared with the server's threads.
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<Step> waiting_;
  StepBounder postedBounds_;   // the steps posted so far
  StepBounder appliedBounds_;  // the steps recorded, waits included (the simulation's thread)
  std::vector<Step> recorded_;
  std::deque<SaveRequest*> saves_;
  int speed_;
  bool stopping_ = false;
  std::string readyProblem_;
  bool readyKnown_ = false;
  std::int64_t nowMs_ = 0;
  bool busy_ = false;         // a step is playing
  std::uint64_t posted_ = 0;  // steps taken from the page
  std::uint64_t taken_ = 0;   // of them, those played (or refused) by now
  std::uint64_t frames_ = 0;

  // The simulation's thread only.
  sim::Simulation* sim_ = nullptr;
  Timeline* timeline_ = nullptr;
  ScenarioRunner* runner_ = nullptr;
  ReplayRecorder* replay_ = nullptr;
  std::vector<LineInsert> lines_;   // the whole timeline, in order
  std::vector<LineInsert> unsent_;  // made since the last event
  std::uint64_t idleFrames_ = 0;    // since the last step, not yet recorded as a wait
  std::size_t idleLine_ = 0;        // where that wait's line goes
  std::int64_t idleMs_ = 0;         // when it began
  std::string playing_;             // the step being played, in words
  std::string refused_;             // the last step refused when it came to be played
  bool inStep_ = false;
  int pacedSpeed_ = -1;
  int shownSpeed_ = -1;  // the speed the page was last told of
  std::chrono::steady_clock::time_point anchorWall_;
  std::int64_t anchorMs_ = 0;
  std::chrono::steady_clock::time_point lastPublish_;

  std::thread thread_;
};

}  // namespace campsim
