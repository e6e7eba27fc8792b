#include "tools/campsim/live/live_run.h"

#include <algorithm>
#include <memory>
#include <sstream>

#include "sim/host/json_trace.h"
#include "tools/campsim/camp/camp_tables.h"
#include "tools/campsim/camp/plugin_check.h"
#include "tools/campsim/report/replay.h"
#include "tools/campsim/scenario_file/bounds.h"
#include "tools/campsim/scenario_file/writer.h"

namespace campsim {

LiveRun::LiveRun(LiveOptions options)
    : options_(std::move(options)),
      postedBounds_(options_.world, {}),
      appliedBounds_(options_.world, {}),
      speed_(options_.speed) {
  thread_ = std::thread([this] { Main(); });
}

LiveRun::~LiveRun() { Stop(); }

std::string LiveRun::Ready() {
  std::unique_lock lock(mutex_);
  wake_.wait(lock, [&] { return readyKnown_; });
  return readyProblem_;
}

std::string LiveRun::Post(Step step, bool* unavailable) {
  std::unique_lock lock(mutex_);
  if (unavailable != nullptr) *unavailable = stopping_ || waiting_.size() >= options_.maxWaiting;
  if (stopping_) return "posted step: the playground is stopping";
  if (waiting_.size() >= options_.maxWaiting) {
    return "posted step: " + std::to_string(waiting_.size()) +
           " steps are waiting to be played already; post again once they have been";
  }
  // Bounded with every step posted before it, as the saved file will be.
  if (std::string e = postedBounds_.Add(step); !e.empty()) return "posted step: " + e;
  waiting_.push_back(std::move(step));
  ++posted_;
  lock.unlock();
  wake_.notify_all();
  return {};
}

void LiveRun::SetSpeed(int speed) {
  {
    const std::lock_guard lock(mutex_);
    speed_ = speed;
  }
  wake_.notify_all();
}

std::string LiveRun::Save(std::string& error) {
  SaveRequest request{};
  auto answer = request.answer.get_future();
  {
    const std::lock_guard lock(mutex_);
    request.after = posted_;
    if (stopping_) {
      error = "the playground is stopping";
      return {};
    }
    saves_.push_back(&request);
  }
  wake_.notify_all();
  auto [text, problem] = answer.get();
  error = problem;
  return text;
}

LiveRun::Status LiveRun::Now() const {
  const std::lock_guard lock(mutex_);
  return {nowMs_, frames_, waiting_.size() + (busy_ ? 1 : 0), recorded_.size()};
}

void LiveRun::Stop() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  if (thread_.joinable()) thread_.join();
}

std::string LiveRun::TimelineText() const {
  std::string text;
  for (const LineInsert& line : lines_) text += TimelineLine(line.ms, line.text);
  return text;
}

void LiveRun::OnLine(std::int64_t atMs, const std::string& text) {
  lines_.push_back({lines_.size(), atMs, text});
  unsent_.push_back(lines_.back());
}

void LiveRun::OnTask(std::int64_t atMs, const std::string& who, const std::string& words) {
  replay_->OnTask(atMs, who, words);
}

// The idle frames since the last step become a wait, its line put where the wait began.
void LiveRun::CloseWait() {
  if (idleFrames_ > 0) {
    const auto ms =
        static_cast<std::int32_t>(idleFrames_ * static_cast<std::uint64_t>(options_.world.frameMs));
    Step wait = WaitStep{ms};
    appliedBounds_.Add(wait);
    {
      const std::lock_guard lock(mutex_);
      recorded_.push_back(wait);
    }
    LineInsert line{idleLine_, idleMs_, "> " + Describe(wait)};
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(idleLine_), line);
    unsent_.push_back(std::move(line));
  }
  idleFrames_ = 0;
  idleLine_ = lines_.size();
  idleMs_ = timeline_->Since(sim_->Clock());
}

// Busy, inside a step: every save waiting is told so. Between steps: each save whose steps
// have all been played gets the file.
bool LiveRun::AnswerSaves(bool busy) {
  bool answered = false;
  std::unique_lock lock(mutex_);
  for (auto it = saves_.begin(); it != saves_.end();) {
    SaveRequest* request = *it;
    if (busy) {
      request->answer.set_value(
          {{},
           stopping_ ? "the playground is stopping"
                     : "\"" + playing_ + "\" is still playing; save once it has ended"});
      it = saves_.erase(it);
      continue;
    }
    if (request->after > taken_) {
      ++it;
      continue;
    }
    it = saves_.erase(it);
    answered = true;
    lock.unlock();
    CloseWait();
    lock.lock();
    Scenario saved;
    saved.world = options_.world;
    saved.steps = recorded_;
    std::string problem = BoundScenario(saved, {});
    request->answer.set_value(
        problem.empty()
            ? std::pair{ScenarioFileText(options_.world, recorded_), std::string()}
            : std::pair{std::string(), "the run cannot be saved as a scenario: " + problem});
    it = saves_.begin();
  }
  return answered;
}

void LiveRun::ApplyWaiting() {
  bool saved = false;
  for (bool applied = false;; applied = true) {
    saved = AnswerSaves(false) || saved;
    Step step;
    {
      std::unique_lock lock(mutex_);
      if (waiting_.empty() || stopping_) {
        lock.unlock();
        // The page sees the last step's end, and a save's closing wait, at once, paused or not.
        if (applied || saved) Publish(true);
        return;
      }
      step = std::move(waiting_.front());
      waiting_.pop_front();
      ++taken_;
      busy_ = true;
    }
    CloseWait();
    // The move's time as the saved file's reader will give it, from every step before it.
    std::string refusal = appliedBounds_.Add(step);
    {
      const std::lock_guard lock(mutex_);
      if (refusal.empty()) recorded_.push_back(step);
      busy_ = refusal.empty();
    }
    if (!refusal.empty()) {
      refused_ = "posted step: " + refusal;
      continue;
    }
    playing_ = Describe(step);
    inStep_ = true;
    runner_->Apply(step);
    inStep_ = false;
    playing_.clear();
    {
      const std::lock_guard lock(mutex_);
      busy_ = false;
    }
    idleFrames_ = 0;
    idleLine_ = lines_.size();
    idleMs_ = timeline_->Since(sim_->Clock());
    Publish(false);
  }
}

void LiveRun::AfterFrame(sim::Simulation& sim) {
  {
    const std::lock_guard lock(mutex_);
    ++frames_;
    nowMs_ = sim.world().ElapsedMs();
  }
  Publish(false);
  if (inStep_) Pace();
}

void LiveRun::Main() {
  sim::SimulationOptions simOptions;
  simOptions.world = options_.world;
  simOptions.pluginPath = options_.pluginPath;
  simOptions.record = false;
  sim::Simulation sim(simOptions);
  std::ostringstream problem;
  CheckPlugin(sim, problem);
  {
    const std::lock_guard lock(mutex_);
    readyProblem_ = problem.str();
    if (!readyProblem_.empty()) readyProblem_.pop_back();  // its line end
    readyKnown_ = true;
  }
  wake_.notify_all();
  if (sim.Failed()) {
    feed_.Close();
    return;
  }
  Timeline timeline(sim.world());
  timeline.SetListener(this);
  sim.host().AddSink(&timeline);
  std::unique_ptr<sim::JsonTraceWriter> trace;
  if (options_.trace != nullptr) {
    trace = std::make_unique<sim::JsonTraceWriter>(options_.trace);
    sim.host().AddSink(trace.get());
  }
  ScenarioRunner runner(sim, &timeline);
  ReplayRecorder replay(&timeline);
  runner.AddObserver(&replay);
  runner.AddObserver(this);
  sim_ = &sim;
  timeline_ = &timeline;
  runner_ = &runner;
  replay_ = &replay;
  idleMs_ = timeline.Since(sim.Clock());
  const std::uint64_t longestWait = kDayMs / options_.world.frameMs;
  Publish(true);
  try {
    for (;;) {
      ApplyWaiting();
      bool tell = false;  // the page is to hear of a new speed while the game stands
      {
        std::unique_lock lock(mutex_);
        if (stopping_) break;
        if (speed_ == 0 || !options_.idle || sim.Failed()) {
          tell = speed_ != shownSpeed_;
          if (!tell && saves_.empty() && waiting_.empty()) wake_.wait(lock);
          if (!tell) continue;
        }
      }
      if (tell) {
        Publish(true);
        continue;
      }
      runner.Frame();
      if (++idleFrames_ == longestWait) CloseWait();
      Pace();
    }
  } catch (const Stopping&) {
  }
  AnswerSaves(true);
  timeline.Finish();
  Publish(true);
  sim.host().RemoveSink(&timeline);
  if (trace) {
    sim.host().RemoveSink(trace.get());
    trace.reset();
  }
  feed_.Close();
  sim_ = nullptr;
}

}  // namespace campsim
