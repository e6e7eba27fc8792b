#include "tools/campsim/timeline/timeline.h"

#include <fmt/format.h>

#include <algorithm>

#include "sim/host/native_signature.h"
#include "tools/campsim/camp/camp_tables.h"
#include "tools/campsim/camp/clock_text.h"
#include "tools/campsim/scenario_file/scenario.h"
#include "tools/campsim/timeline/wording.h"

namespace campsim {

using sim::NativeId;

std::string TimelineLine(std::int64_t atMs, const std::string& text) {
  return fmt::format("{:>9}  {}\n", FormatClock(atMs), text);
}

Timeline::Timeline(const sim::World& world)
    : world_(world),
      startClock_(static_cast<std::uint32_t>(world.Settings().startClock)),
      frameMs_(world.Settings().frameMs) {}

std::int64_t Timeline::Since(std::int32_t clock) const {
  return static_cast<std::uint32_t>(clock) - startClock_;
}

std::optional<Timeline::Waiting> Timeline::WaitingNow() const {
  if (!stall_.active) return std::nullopt;
  return Waiting{stall_.cause, stall_.startMs};
}

void Timeline::Emit(std::int64_t atMs, const std::string& text) {
  if (batch_.kind != BatchKind::None) FlushBatch();
  ++lineCount_;
  if (listener_ != nullptr) listener_->OnLine(atMs, text);
  if (outputs_.empty()) return;
  const std::string line = TimelineLine(atMs, text);
  for (std::ostream* out : outputs_) *out << line;
}

void Timeline::Note(const std::string& text) { Emit(Since(world_.Clock()), text); }

void Timeline::AddToBatch(BatchKind kind, const std::string& owner, const std::string& item,
                          bool refused, std::int64_t atMs) {
  if (batch_.kind != kind || batch_.owner != owner) {
    FlushBatch();
    batch_.kind = kind;
    batch_.owner = owner;
    batch_.atMs = atMs;
  }
  if (refused) {
    ++batch_.refused;
  } else {
    batch_.items.push_back(item);
  }
}

void Timeline::FlushBatch() {
  Batch done = std::move(batch_);
  batch_ = Batch{};
  const auto n = done.items.size();
  switch (done.kind) {
    case BatchKind::None:
      return;
    case BatchKind::PropsPlaced:
      Emit(done.atMs, PropsPlacedWords(n, done.refused));
      return;
    case BatchKind::PropsRemoved:
      Emit(done.atMs, fmt::format("{} props removed", n));
      return;
    case BatchKind::PromptsShown:
    case BatchKind::PromptsRemoved:
      Emit(done.atMs, PromptsWords(done.owner, done.items, done.kind == BatchKind::PromptsShown));
      return;
  }
}

void Timeline::EmitOrRepeat(const std::string& key, std::int64_t atMs, const std::string& text,
                            const std::string& what) {
  auto it = repeats_.find(key);
  if (it != repeats_.end() && it->second.lastWait + 1 == waits_) {
    ++it->second.count;
    it->second.lastWait = waits_;
    return;
  }
  if (it != repeats_.end()) EmitRepeatEnd(atMs, it->second);
  Emit(atMs, text);
  repeats_[key] = Repeat{waits_, 0, what};
}

void Timeline::EmitRepeatEnd(std::int64_t atMs, const Repeat& repeat) {
  if (repeat.count == 0 || repeat.what.empty()) return;
  Emit(atMs, repeat.count == 1 ? fmt::format("{} again in the next frame", repeat.what)
                               : fmt::format("{} again in each of the next {} frames", repeat.what,
                                             repeat.count));
}

void Timeline::EndRepeats(std::int64_t atMs, bool all) {
  for (auto it = repeats_.begin(); it != repeats_.end();) {
    if (!all && it->second.lastWait + 1 >= waits_) {
      ++it;
      continue;
    }
    EmitRepeatEnd(atMs, it->second);
    it = repeats_.erase(it);
  }
}

void Timeline::EndStall(std::int64_t atMs, bool ongoing) {
  if (!stall_.active) return;
  stall_.active = false;
  const std::int64_t length = atMs - stall_.startMs;
  if (length <= frameMs_ && !ongoing) return;
  stats_.AddStall(Stall{atMs, length, stall_.cause, ongoing});
  Emit(atMs, StallWords(length, stall_.cause, ongoing));
}

void Timeline::Finish() {
  const std::int64_t now = Since(world_.Clock());
  FlushBatch();
  EndRepeats(now, true);
  EndStall(now, true);
}

std::string Timeline::PollCause(const sim::CallEvent& e) const {
  const sim::NativeCall& c = e.call;
  const bool answer = static_cast<std::uint32_t>(c.result[0]) != 0;
  switch (c.sig->id) {
    case NativeId::HasModelLoaded:
    case NativeId::HasPropsetLoaded:
      return answer ? std::string() : AssetName(c.Hash(0)) + " to load";
    case NativeId::IsMetaPedOutfitRequestReady: {
      if (answer) return {};
      const auto it = outfitRequests_.find(c.Int(0));
      return it != outfitRequests_.end() ? AssetName(it->second) + " to be ready"
                                         : fmt::format("outfit request {} to be ready", c.Int(0));
    }
    case NativeId::IsAmbientSpeechPlaying: {
      if (!answer) return {};
      const auto it = lastLine_.find(c.Handle(0));
      return fmt::format("{} to finish {}", NameOf(c.Handle(0)),
                         it != lastLine_.end() ? "\"" + it->second + "\"" : "speaking");
    }
    default:
      return {};
  }
}

void Timeline::OnWait(std::uint64_t frame, std::int32_t clock, std::uint32_t ms) {
  stats_.CountWait(frame);
  const std::int64_t now = Since(clock);
  if (batch_.kind != BatchKind::None) FlushBatch();
  ++waits_;
  EndRepeats(now, false);
  const std::string cause =
      ms > 0 ? fmt::format("a fixed pause of {} ms", ms) : std::move(lastPollCause_);
  lastPollCause_.clear();
  if (cause.empty()) {
    EndStall(now, false);  // the frame's own yield
  } else if (!stall_.active || stall_.cause != cause) {
    EndStall(now, false);
    stall_ = OpenStall{true, cause, now};
  }
}

// The script was dropped where it stood: whatever it was in the middle of ends here. After a
// reload nothing the plugin made is left, so nothing is known any more.
void Timeline::OnScriptRestart(std::uint64_t, std::int32_t clock, bool reload) {
  const std::int64_t at = Since(clock);
  FlushBatch();
  EndRepeats(at, true);
  EndStall(at, false);
  if (exchange_.prompt != 0) {
    Emit(at, fmt::format("{}: the \"{}\" exchange is cut off after {} lines", exchange_.owner,
                         exchange_.label, exchange_.lines));
    exchange_ = Exchange{};
  }
  lastPollCause_.clear();
  loading_.clear();
  if (!reload) {
    Emit(at, "the host restarts its scripts, the world kept: the script starts again");
    return;
  }
  known_.clear();
  released_.clear();
  prompts_.clear();
  promptTarget_ = 0;
  neverMade_.clear();
  outfitRequests_.clear();
  lastLine_.clear();
  Emit(at, "game reloaded, player at " + FormatPoint(world_.PlayerPosition()));
}

void Timeline::OnCall(const sim::CallEvent& e) {
  stats_.CountCall(e.frame);
  const std::int64_t at = Since(e.clock);
  const sim::NativeCall& c = e.call;
  const NativeId id = c.sig->id;
  if (c.finding.arg >= 0) [[unlikely]]
    OnHandleFinding(e, at);

  if (id == NativeId::HasModelLoaded || id == NativeId::HasPropsetLoaded ||
      id == NativeId::IsMetaPedOutfitRequestReady || id == NativeId::IsAmbientSpeechPlaying) {
    lastPollCause_ = PollCause(e);
    if (id == NativeId::HasModelLoaded && lastPollCause_.empty()) OnModelRequest(e);
    if (stall_.active && lastPollCause_ != stall_.cause) EndStall(at, false);
    return;
  }
  // The plugin may read the clock between a poll and its wait (to bound the wait), and the
  // player's ped after a wait (to notice a new one): neither ends a stall nor hides the poll
  // before it.
  if (id == NativeId::GetGameTimer) return;
  if (id == NativeId::PlayerPedId) {
    const sim::Handle ped = static_cast<sim::Handle>(c.result[0]);
    if (std::find(playerPeds_.begin(), playerPeds_.end(), ped) == playerPeds_.end()) {
      playerPeds_.push_back(ped);
    }
    return;
  }
  lastPollCause_.clear();
  if (stall_.active) EndStall(at, false);

  switch (id) {
    case NativeId::RequestModel:
    case NativeId::SetModelAsNoLongerNeeded:
      return OnModelRequest(e);
    case NativeId::RequestMetaPedOutfit:
      outfitRequests_[static_cast<std::int32_t>(c.result[0])] = c.Hash(1);
      return;
    case NativeId::CreatePed:
    case NativeId::CreateObject:
    case NativeId::CreatePropset:
    case NativeId::CreateVehicle:
    case NativeId::AddPropsetToVehicle:
    case NativeId::BlipAddForEntity:
    case NativeId::ShowObjectiveText:
      return OnCreation(e, at);
    case NativeId::DeleteEntity:
    case NativeId::DeletePropSet:
    case NativeId::DismissPed:
    case NativeId::DeleteVehicle:
    case NativeId::RemoveBlip:
      return OnRemoval(e, at);
    case NativeId::PlayPedAmbientSpeechNative:
      return OnSpeech(e, at);
    case NativeId::TaskGoToCoord:
    case NativeId::TaskGoStraightToCoord:
    case NativeId::TaskStartScenarioAtPosition:
    case NativeId::TaskWanderInArea:
    case NativeId::TaskTurnPedToFaceEntity:
      return OnTask(e, at);
    case NativeId::PromptGetGroupIdForTargetEntity:
    case NativeId::PromptRegisterBegin:
    case NativeId::CreateVarString:
    case NativeId::PromptSetText:
    case NativeId::PromptRegisterEnd:
    case NativeId::PromptDelete:
    case NativeId::PromptSetEnabled:
      return OnPrompt(e, at);
    default:
      return;
  }
}

}  // namespace campsim
