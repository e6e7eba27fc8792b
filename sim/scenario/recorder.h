// Keeps every native call and wait of a run in memory, decoded, for tests to query.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sim/host/trace.h"

namespace sim {

struct ArgValue {
  ArgKind kind = ArgKind::Int;
  std::int64_t i = 0;     // Int, Bool, Hash, Handle; the variable's value for HandleRef
  float f = 0.0f;         // Float
  std::string s;          // String
  SpeechFields speech{};  // Speech (its texts copied into lineName/secondName below)
  std::string lineName;
  std::string secondName;
  std::uint64_t raw = 0;
};

struct Event {
  std::uint64_t frame = 0;
  std::int32_t clock = 0;
  bool isWait = false;
  std::uint32_t waitMs = 0;
  NativeId id = NativeId::Count;
  std::vector<ArgValue> args;
  std::uint64_t result[3] = {};
  // The argument acted through with no proof since the last wait (-1: none), and whether a
  // DeleteEntity removed nothing for want of owning it (1 another script's, 2 nobody's).
  std::int8_t heldArg = -1;
  std::uint8_t unowned = 0;

  std::int32_t ResultInt() const { return static_cast<std::int32_t>(result[0]); }
  bool ResultBool() const { return static_cast<std::uint32_t>(result[0]) != 0; }
  float ResultFloat() const;
  std::string_view Name() const;
};

// Where the host started the script again: `index` is the first event of the new start.
struct ScriptRestart {
  std::size_t index = 0;
  std::uint64_t frame = 0;
  std::int32_t clock = 0;
  bool reload = false;
};

class Recorder final : public TraceSink {
 public:
  void OnCall(const CallEvent& event) override;
  void OnWait(std::uint64_t frame, std::int32_t clock, std::uint32_t ms) override;
  void OnScriptRestart(std::uint64_t frame, std::int32_t clock, bool reload) override {
    restarts_.push_back({events_.size(), frame, clock, reload});
  }
  const std::vector<ScriptRestart>& Restarts() const { return restarts_; }

  const std::vector<Event>& Events() const { return events_; }
  // Calls of one native, in order.
  std::vector<const Event*> Calls(NativeId id) const;
  // Names of the calls (and "wait N" for waits) from index `from` on.
  std::vector<std::string> Sequence(std::size_t from = 0) const;
  std::size_t Size() const { return events_.size(); }
  void Clear() {
    events_.clear();
    restarts_.clear();
  }

 private:
  std::vector<Event> events_;
  std::vector<ScriptRestart> restarts_;
};

}  // namespace sim
