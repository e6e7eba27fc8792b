// Ambient speech: every request is recorded; a live speaker then talks for the line's length.
#include <limits>

#include "sim/world/natives.h"
#include "sim/world/world_state.h"

namespace sim {

namespace {

const LineTiming* TimingOf(const WorldState& s, const char* lineName) {
  for (const LineTiming& t : s.lineTimings) {
    if (t.lineName == lineName) return &t;
  }
  return nullptr;
}

// The plugin's strings may be gone later, so they are copied; a null pointer is recorded
// visibly rather than as an empty name.
std::string Copied(const char* text) { return text != nullptr ? text : "(null)"; }

LineTiming& TimingFor(WorldState& s, std::string_view lineName) {
  for (LineTiming& t : s.lineTimings) {
    if (t.lineName == lineName) return t;
  }
  return s.lineTimings.emplace_back(LineTiming{.lineName = std::string(lineName)});
}

}  // namespace

bool IsSpeaking(const WorldState& s, Handle ped) {
  const Entity* e = FindEntity(s, ped);
  return e != nullptr && e->kind == EntityKind::Ped && s.elapsedMs < e->ped.speechEndsAt;
}

namespace natives {

void PlayPedAmbientSpeechNative(WorldState& s, NativeCall& call) {
  Handle speaker = call.Handle(0);
  SpeechFields request = call.Speech(1);
  SpokenLine& line = s.spoken.emplace_back();
  line.clock = static_cast<std::int32_t>(s.clock);
  line.speaker = speaker;
  line.lineName = Copied(request.lineName);
  line.secondName = Copied(request.secondName);
  line.variation = request.variation;
  line.paramsHash = request.paramsHash;
  line.options[0] = request.option1;
  line.options[1] = request.option2;
  line.options[2] = request.option3;

  Entity* ped = FindPed(s, speaker);
  const LineTiming* timing = request.lineName != nullptr ? TimingOf(s, request.lineName) : nullptr;
  line.silent = ped == nullptr || ped->dead || (timing != nullptr && timing->silent);
  if (line.silent) return;  // a line that never starts leaves any other line playing
  if (timing != nullptr && timing->endless) {
    ped->ped.speechEndsAt = std::numeric_limits<std::int64_t>::max();
    return;
  }
  std::int32_t ms = timing != nullptr ? timing->ms : s.settings.speechMs;
  ped->ped.speechEndsAt = s.elapsedMs + (ms > 0 ? ms : 0);
}

void IsAmbientSpeechPlaying(WorldState& s, NativeCall& call) {
  call.ReturnBool(IsSpeaking(s, call.Handle(0)));
}

}  // namespace natives

const std::vector<SpokenLine>& World::Spoken() const { return state_->spoken; }

bool World::IsSpeaking(Handle ped) const { return sim::IsSpeaking(*state_, ped); }

void World::SilentLine(std::string_view lineName) {
  LineTiming& t = TimingFor(*state_, lineName);
  t.silent = true;
  t.endless = false;
}

void World::LineDuration(std::string_view lineName, std::int32_t ms) {
  LineTiming& t = TimingFor(*state_, lineName);
  t.silent = false;
  t.endless = false;
  t.ms = ms;
}

void World::EndlessLine(std::string_view lineName) {
  LineTiming& t = TimingFor(*state_, lineName);
  t.silent = false;
  t.endless = true;
}

}  // namespace sim
