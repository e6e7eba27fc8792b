// The trace as JSON lines, one object per native call or wait.
#pragma once

#include <cstdio>
#include <string>

#include "sim/host/trace.h"

namespace sim {

// Appends one call's line (without the newline) to `out`.
void FormatCallLine(const CallEvent& event, std::string& out);
// After a call whose handle the game noted: {"frame","clock","finding":"kind" or "another
// script's","native","arg" (from 1),"handle","named","takes"}.
void FormatFindingLine(const CallEvent& event, std::string& out);
// After a call that acted through a number not proved since the script's last wait:
// {"frame","clock","finding":"held across a wait","native","arg" (from 1),"handle"}.
void FormatHeldLine(const CallEvent& event, std::string& out);
// After a DeleteEntity of an entity the script did not own: {"frame","clock","finding":
// "deleted without owning it","native","handle","owner":"another script" or "nobody"}.
void FormatUnownedLine(const CallEvent& event, std::string& out);
void FormatWaitLine(std::uint64_t frame, std::int32_t clock, std::uint32_t ms, std::string& out);
// {"frame":F,"clock":C,"reload":true}, or "restart" for a restart with the world kept.
void FormatRestartLine(std::uint64_t frame, std::int32_t clock, bool reload, std::string& out);
// Shortest text that reads back as the same float, always with a decimal point.
void AppendFloat(float value, std::string& out);

class JsonTraceWriter final : public TraceSink {
 public:
  explicit JsonTraceWriter(std::FILE* file) : file_(file) {}
  ~JsonTraceWriter() override;
  void OnCall(const CallEvent& event) override;
  void OnWait(std::uint64_t frame, std::int32_t clock, std::uint32_t ms) override;
  void OnScriptRestart(std::uint64_t frame, std::int32_t clock, bool reload) override;
  void Flush();

 private:
  std::FILE* file_;
  std::string buffer_;
};

}  // namespace sim
