#include "tools/campsim/timeline.h"

#include <fmt/format.h>

#include <algorithm>

#include "sim/host/native_signature.h"
#include "sim/scenario/camp_places.h"
#include "sim/scenario/simulation.h"
#include "tools/campsim/camp_tables.h"
#include "tools/campsim/clock_text.h"
#include "tools/campsim/scenario.h"

namespace campsim {

using sim::NativeId;

namespace {

std::string Join(const std::vector<std::string>& items) {
  std::string joined;
  for (const std::string& item : items) {
    if (!joined.empty()) joined += ", ";
    joined += item;
  }
  return joined;
}

}  // namespace

Timeline::Timeline(const sim::World& world)
    : world_(world),
      startClock_(static_cast<std::uint32_t>(world.Settings().startClock)),
      frameMs_(world.Settings().frameMs) {}

std::int64_t Timeline::Since(std::int32_t clock) const {
  return static_cast<std::uint32_t>(clock) - startClock_;
}

void Timeline::Emit(std::int64_t atMs, const std::string& text) {
  if (batch_.kind != BatchKind::None) FlushBatch();
  ++lineCount_;
  if (outputs_.empty()) return;
  const std::string line = fmt::format("{:>9}  {}\n", FormatClock(atMs), text);
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
      Emit(done.atMs, done.refused == 0 ? fmt::format("{} props placed", n)
                                        : fmt::format("{} props placed, {} refused by the game", n,
                                                      done.refused));
      return;
    case BatchKind::PropsRemoved:
      Emit(done.atMs, fmt::format("{} props removed", n));
      return;
    case BatchKind::PromptsShown:
      Emit(done.atMs,
           fmt::format("{}: prompt{} shown: {}", done.owner, n == 1 ? "" : "s", Join(done.items)));
      return;
    case BatchKind::PromptsRemoved:
      Emit(done.atMs, fmt::format("{}: prompt{} removed: {}", done.owner, n == 1 ? "" : "s",
                                  Join(done.items)));
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
  Emit(atMs, ongoing
                 ? fmt::format("still stalled after {}, waiting for {}", FormatSeconds(length),
                               stall_.cause)
                 : fmt::format("stall of {} waiting for {}", FormatSeconds(length), stall_.cause));
}

void Timeline::Finish() {
  const std::int64_t now = Since(world_.Clock());
  FlushBatch();
  EndRepeats(now, true);
  EndStall(now, true);
}

std::string Timeline::NameOf(sim::Handle handle) const {
  if (handle == 0) return "ped 0";  // a creation that failed leaves a zero handle behind
  if (std::find(playerPeds_.begin(), playerPeds_.end(), handle) != playerPeds_.end()) {
    return handle == world_.PlayerPed() ? "player" : "the player's former ped";
  }
  if (handle == world_.PlayerPed()) return "player";
  if (auto it = known_.find(handle); it != known_.end()) return it->second.name;
  if (const sim::Entity* e = world_.Find(handle); e != nullptr && !e->name.empty()) return e->name;
  return fmt::format("ped {}", handle);
}

std::string Timeline::CompanionPlace(const std::string& who, sim::Vec3 at) const {
  const RoutineSpot* spot = RoutineSpotAt(who, at);
  const CompanionInfo* c = CompanionByName(who);
  if (spot == nullptr || c == nullptr) return FormatPoint(at);
  if (std::string_view(spot->label) == "home") {
    return fmt::format("{} home {}", c->possessive, FormatPoint(at));
  }
  return fmt::format("{} spot {} {}", c->possessive, spot->label, FormatPoint(at));
}

float Timeline::PlayerDistanceTo(sim::Vec3 point) const {
  return sim::Distance(world_.PlayerPosition(), point);
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

void Timeline::OnCall(const sim::CallEvent& e) {
  stats_.CountCall(e.frame);
  const std::int64_t at = Since(e.clock);
  const sim::NativeCall& c = e.call;
  const NativeId id = c.sig->id;

  if (id == NativeId::HasModelLoaded || id == NativeId::HasPropsetLoaded ||
      id == NativeId::IsMetaPedOutfitRequestReady || id == NativeId::IsAmbientSpeechPlaying) {
    lastPollCause_ = PollCause(e);
    if (stall_.active && lastPollCause_ != stall_.cause) EndStall(at, false);
    return;
  }
  // The plugin may read the clock between a poll and its wait (to bound the wait): that
  // neither ends a stall nor hides the poll before it.
  if (id == NativeId::GetGameTimer) return;
  lastPollCause_.clear();
  if (stall_.active) EndStall(at, false);

  switch (id) {
    case NativeId::PlayerPedId: {
      const sim::Handle ped = static_cast<sim::Handle>(c.result[0]);
      if (std::find(playerPeds_.begin(), playerPeds_.end(), ped) == playerPeds_.end()) {
        playerPeds_.push_back(ped);
      }
      return;
    }
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

void Timeline::OnCreation(const sim::CallEvent& e, std::int64_t at) {
  const sim::NativeCall& c = e.call;
  const auto made = static_cast<sim::Handle>(c.result[0]);
  switch (c.sig->id) {
    case NativeId::CreatePed: {
      const CompanionInfo* who = CompanionByModel(c.Hash(0));
      const std::string name = who != nullptr ? who->name : "a ped of model " + HexHash(c.Hash(0));
      if (made == 0) return Emit(at, fmt::format("the game refused to create {}", name));
      known_[made] = Known{Thing::Companion, name};
      ++stats_.events.companionsCreated;
      if (who == nullptr) return Emit(at, name + " created");
      return Emit(at, fmt::format("{} created at {} home, player {:.2f} units away", name,
                                  who->possessive, PlayerDistanceTo(who->home)));
    }
    case NativeId::CreateObject:
      if (made != 0) known_[made] = Known{Thing::Prop, "prop"};
      return AddToBatch(BatchKind::PropsPlaced, "", "prop", made == 0, at);
    case NativeId::CreatePropset:
      if (made == 0) return Emit(at, "the game refused to place the campfire tent");
      known_[made] = Known{Thing::Tent, "campfire tent"};
      return Emit(at, fmt::format("campfire tent placed, player {:.2f} units from its centre",
                                  PlayerDistanceTo(sim::places::kTentCentre)));
    case NativeId::CreateVehicle:
      if (made == 0) return Emit(at, "the game refused to create the supply wagon");
      known_[made] = Known{Thing::Wagon, "supply wagon"};
      return Emit(at, fmt::format("supply wagon created at its spot, player {:.2f} units away",
                                  PlayerDistanceTo(sim::places::kWagonSpot)));
    case NativeId::AddPropsetToVehicle:
      if (c.Hash(1) == sim::JoaatHash(sim::places::kWagonCargo)) {
        return Emit(at, fmt::format("{} loaded with its cargo", NameOf(c.Handle(0))));
      }
      return Emit(at, fmt::format("{} loaded with {}", NameOf(c.Handle(0)), AssetName(c.Hash(1))));
    case NativeId::BlipAddForEntity:
      if (made == 0) return Emit(at, "the game refused a map blip");
      known_[made] = Known{Thing::Blip, "map blip of the " + NameOf(c.Handle(1))};
      return Emit(at, "map blip added to the " + NameOf(c.Handle(1)));
    case NativeId::ShowObjectiveText:
      return Emit(at, fmt::format("objective shown: \"{}\"", c.String(0)));
    default:
      return;
  }
}

void Timeline::OnRemoval(const sim::CallEvent& e, std::int64_t at) {
  const sim::NativeCall& c = e.call;
  const sim::Handle gone = e.refBefore[0];
  const auto it = known_.find(gone);
  if (it == known_.end()) {
    return Emit(at,
                fmt::format("{} called on {}, which campsim never saw made", c.sig->name, gone));
  }
  const Known thing = it->second;
  known_.erase(it);
  switch (thing.thing) {
    case Thing::Companion: {
      const CompanionInfo* who = CompanionByName(thing.name);
      const char* how = c.sig->id == NativeId::DismissPed ? "dismissed" : "removed";
      if (who == nullptr) return Emit(at, fmt::format("{} {}", thing.name, how));
      return Emit(at, fmt::format("{} {}, player {:.2f} units from {} home", thing.name, how,
                                  PlayerDistanceTo(who->home), who->possessive));
    }
    case Thing::Prop:
      return AddToBatch(BatchKind::PropsRemoved, "", "prop", false, at);
    case Thing::Tent:
      return Emit(at, fmt::format("campfire tent removed, player {:.2f} units from its centre",
                                  PlayerDistanceTo(sim::places::kTentCentre)));
    case Thing::Blip:
      return Emit(at, thing.name + " removed");
    case Thing::Wagon: {
      const float toFence = PlayerDistanceTo(sim::places::kFence);
      if (toFence < kDeliveryRadius) ++stats_.events.deliveries;
      const std::string text =
          toFence < kDeliveryRadius
              ? fmt::format(
                    "supply wagon delivered, player {:.2f} units from the fence; wagon removed",
                    toFence)
              : fmt::format("supply wagon removed, player {:.2f} units from its spot",
                            PlayerDistanceTo(sim::places::kWagonSpot));
      return Emit(at, text);
    }
  }
}

void Timeline::OnSpeech(const sim::CallEvent& e, std::int64_t at) {
  const sim::Handle speaker = e.call.Handle(0);
  const sim::SpeechFields speech = e.call.Speech(1);
  const std::string line = speech.lineName != nullptr ? speech.lineName : "";
  lastLine_[speaker] = line;
  if (exchange_.prompt != 0) ++exchange_.lines;
  const auto& spoken = world_.Spoken();
  const bool silent = !spoken.empty() && spoken.back().speaker == speaker &&
                      spoken.back().lineName == line && spoken.back().silent;
  const std::string who = NameOf(speaker);
  EmitOrRepeat(fmt::format("say {} {}", speaker, line), at,
               fmt::format("{} says \"{}\" (variation {}){}", who, line, speech.variation,
                           silent ? ", never heard" : ""),
               fmt::format("{} asked to say \"{}\"", who, line));
}

void Timeline::OnTask(const sim::CallEvent& e, std::int64_t at) {
  const sim::NativeCall& c = e.call;
  const std::string who = NameOf(c.Handle(0));
  auto point = [&](int i) { return sim::Vec3{c.Float(i), c.Float(i + 1), c.Float(i + 2)}; };
  switch (c.sig->id) {
    case NativeId::TaskGoToCoord:
      return Emit(at, fmt::format("{} walks to {} at {:.1f} units/s", who,
                                  CompanionPlace(who, point(1)), c.Float(4)));
    case NativeId::TaskGoStraightToCoord:
      return Emit(at, fmt::format("{} goes straight to {}", who, CompanionPlace(who, point(1))));
    case NativeId::TaskStartScenarioAtPosition:
      return Emit(at, fmt::format("{} starts {} at {} for {} s", who, ScenarioName(c.Hash(1)),
                                  CompanionPlace(who, point(2)), c.Int(6) / 1000));
    case NativeId::TaskWanderInArea:
      return Emit(at, fmt::format("{} wanders within {:.0f} units of {}", who, c.Float(4),
                                  CompanionPlace(who, point(1))));
    case NativeId::TaskTurnPedToFaceEntity: {
      // Given every frame of a lock-on: only the first of a run is worth a line.
      const std::string whom = NameOf(c.Handle(1));
      return EmitOrRepeat(
          fmt::format("turn {}", c.Handle(0)), at,
          fmt::format("{} turns to face {}", who, whom == "player" ? "the player" : whom), "");
    }
    default:
      return;
  }
}

void Timeline::OnPrompt(const sim::CallEvent& e, std::int64_t at) {
  const sim::NativeCall& c = e.call;
  switch (c.sig->id) {
    case NativeId::PromptGetGroupIdForTargetEntity:
      promptTarget_ = c.Handle(0);
      return;
    case NativeId::PromptRegisterBegin:
      prompts_[static_cast<sim::Handle>(c.result[0])] = PromptRecord{NameOf(promptTarget_), ""};
      return;
    case NativeId::CreateVarString:
      pendingLabel_ = c.String(2);
      return;
    case NativeId::PromptSetText:
      if (auto it = prompts_.find(c.Handle(0)); it != prompts_.end())
        it->second.label = pendingLabel_;
      return;
    case NativeId::PromptRegisterEnd:
      if (auto it = prompts_.find(c.Handle(0)); it != prompts_.end()) {
        AddToBatch(BatchKind::PromptsShown, it->second.owner, it->second.label, false, at);
      }
      return;
    case NativeId::PromptDelete:
      if (auto it = prompts_.find(c.Handle(0)); it != prompts_.end()) {
        AddToBatch(BatchKind::PromptsRemoved, it->second.owner, it->second.label, false, at);
        prompts_.erase(it);
      }
      return;
    case NativeId::PromptSetEnabled: {
      const auto it = prompts_.find(c.Handle(0));
      if (it == prompts_.end()) return;
      if (!c.Bool(1)) {
        exchange_ = Exchange{c.Handle(0), it->second.owner, it->second.label, at, 0};
        ++stats_.events.exchanges;
        return Emit(at, fmt::format("{}: \"{}\" held, the exchange begins", exchange_.owner,
                                    exchange_.label));
      }
      if (exchange_.prompt != c.Handle(0)) return;  // a new prompt, enabled as it is made
      Emit(at,
           fmt::format("{}: the \"{}\" exchange ends after {}, {} lines", exchange_.owner,
                       exchange_.label, FormatSeconds(at - exchange_.startMs), exchange_.lines));
      exchange_ = Exchange{};
      return;
    }
    default:
      return;
  }
}

}  // namespace campsim
