// The run told as a person would want it: one line per event that matters, built from the
// host's trace of native calls and waits, with the world asked for names and distances.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <unordered_map>
#include <vector>

#include "sim/host/trace.h"
#include "sim/world/world.h"
#include "tools/campsim/timeline/run_stats.h"

namespace campsim {

// A line of the timeline as campsim prints it: the clock, right-aligned, and the words.
std::string TimelineLine(std::int64_t atMs, const std::string& text);

// Told of each line as it is made and of each task given, for a replay of the run.
class TimelineListener {
 public:
  virtual ~TimelineListener() = default;
  virtual void OnLine(std::int64_t atMs, const std::string& text) = 0;
  virtual void OnTask(std::int64_t atMs, const std::string& who, const std::string& words) = 0;
};

class Timeline final : public sim::TraceSink {
 public:
  explicit Timeline(const sim::World& world);

  // Every line goes to each output as it is made; with none, only the counts are kept.
  void AddOutput(std::ostream* out) { outputs_.push_back(out); }
  void SetListener(TimelineListener* listener) { listener_ = listener; }
  // A line of the runner's own (a scenario step), at the world's current time.
  void Note(const std::string& text);
  // Ends what is still open: a batch, repeated requests, a stall.
  void Finish();

  void OnCall(const sim::CallEvent& event) override;
  void OnWait(std::uint64_t frame, std::int32_t clock, std::uint32_t ms) override;
  void OnScriptRestart(std::uint64_t frame, std::int32_t clock, bool reload) override;

  const RunStats& Stats() const { return stats_; }
  std::uint64_t LineCount() const { return lineCount_; }
  std::int64_t Since(std::int32_t clock) const;
  // What the script has been waiting for since `startMs`, if it is held inside a frame now.
  struct Waiting {
    std::string cause;
    std::int64_t startMs = 0;
  };
  std::optional<Waiting> WaitingNow() const;

 private:
  enum class Thing : std::uint8_t { Companion, Prop, Tent, Wagon, Blip };
  struct Known {
    Thing thing;
    std::string name;
  };
  struct PromptRecord {
    std::string owner;
    std::string label;
  };
  enum class BatchKind : std::uint8_t {
    None,
    PropsPlaced,
    PropsRemoved,
    PromptsShown,
    PromptsRemoved
  };
  struct Batch {
    BatchKind kind = BatchKind::None;
    std::string owner;
    std::vector<std::string> items;
    int refused = 0;
    std::int64_t atMs = 0;
  };
  // The same request made again in the very next frame: counted, not written.
  struct Repeat {
    std::uint64_t lastWait = 0;
    std::uint64_t count = 0;
    std::string what;
  };
  struct Exchange {
    sim::Handle prompt = 0;
    std::string owner;
    std::string label;
    std::int64_t startMs = 0;
    int lines = 0;
  };
  struct OpenStall {
    bool active = false;
    std::string cause;
    std::int64_t startMs = 0;
  };

  void Emit(std::int64_t atMs, const std::string& text);
  void AddToBatch(BatchKind kind, const std::string& owner, const std::string& item, bool refused,
                  std::int64_t atMs);
  void FlushBatch();
  void EmitOrRepeat(const std::string& key, std::int64_t atMs, const std::string& text,
                    const std::string& what);
  void EmitRepeatEnd(std::int64_t atMs, const Repeat& repeat);
  void EndRepeats(std::int64_t atMs, bool all);
  void EndStall(std::int64_t atMs, bool ongoing);
  // The name to tell a ped by, and the sentence about it as the ped stands: the same, or
  // saying that the ped is gone or was never made.
  std::string NameOf(sim::Handle handle) const;
  std::string AsItStands(sim::Handle handle, const std::string& who,
                         const std::string& sentence) const;
  // Ped 0 after a creation given up: the companion it stands for, found by the line or spot.
  std::string NeverMadeFor(const std::string& line, const sim::Vec3* spot) const;
  void OnModelRequest(const sim::CallEvent& e);

  float PlayerDistanceTo(sim::Vec3 point) const;
  // What the call is still waiting for, if it is a poll that answered "not yet".
  std::string PollCause(const sim::CallEvent& e) const;

  void OnCreation(const sim::CallEvent& e, std::int64_t at);
  void OnRemoval(const sim::CallEvent& e, std::int64_t at);
  void OnSpeech(const sim::CallEvent& e, std::int64_t at);
  void OnTask(const sim::CallEvent& e, std::int64_t at);
  void OnPrompt(const sim::CallEvent& e, std::int64_t at);
  // A handle of a kind the native does not take, or another script's thing changed.
  void OnHandleFinding(const sim::CallEvent& e, std::int64_t at);

  const sim::World& world_;
  std::uint32_t startClock_;
  std::int64_t frameMs_;
  std::vector<std::ostream*> outputs_;
  TimelineListener* listener_ = nullptr;
  std::uint64_t lineCount_ = 0;
  RunStats stats_;

  std::unordered_map<sim::Handle, Known> known_;
  // Peds and vehicles the plugin released to the game, which may stay a while.
  std::unordered_map<sim::Handle, Known> released_;
  // Companions whose model was asked for and has not loaded yet, and those given up on: the
  // plugin's ped 0 stands for one of them.
  std::vector<std::string> loading_;
  std::vector<std::string> neverMade_;
  std::vector<sim::Handle> playerPeds_;
  std::unordered_map<sim::Handle, PromptRecord> prompts_;
  sim::Handle promptTarget_ = 0;
  std::string pendingLabel_;
  std::unordered_map<std::int32_t, std::uint32_t> outfitRequests_;  // request -> outfit
  std::unordered_map<sim::Handle, std::string> lastLine_;
  Batch batch_;
  std::map<std::string, Repeat> repeats_;
  std::uint64_t waits_ = 0;
  Exchange exchange_;
  OpenStall stall_;
  std::string lastPollCause_;
};

}  // namespace campsim
