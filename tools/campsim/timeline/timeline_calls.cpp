// The timeline's reading of each native call that matters: who or what it acts on and the
// line it makes.
#include <fmt/format.h>

#include <algorithm>

#include "sim/host/native_signature.h"
#include "sim/scenario/camp_places.h"
#include "sim/scenario/simulation.h"
#include "tools/campsim/camp/camp_tables.h"
#include "tools/campsim/camp/clock_text.h"
#include "tools/campsim/timeline/timeline.h"
#include "tools/campsim/timeline/wording.h"

namespace campsim {

using sim::NativeId;

std::string Timeline::NameOf(sim::Handle handle) const {
  if (std::find(playerPeds_.begin(), playerPeds_.end(), handle) != playerPeds_.end()) {
    return handle == world_.PlayerPed() ? "player" : "the player's former ped";
  }
  if (handle == world_.PlayerPed()) return "player";
  if (auto it = known_.find(handle); it != known_.end()) return it->second.name;
  if (handle == 0) return "ped 0";  // a creation that failed leaves a zero handle behind
  if (const sim::Entity* e = world_.Find(handle); e != nullptr && !e->name.empty()) return e->name;
  return fmt::format("ped {}", handle);
}

std::string Timeline::AsItStands(sim::Handle handle, const std::string& who,
                                 const std::string& sentence) const {
  if (handle == 0 && CompanionByName(who) != nullptr) return ToNeverMadeWords(sentence, who);
  const auto it = known_.find(handle);
  if (it != known_.end() && it->second.thing == Thing::Companion && world_.Find(handle) == nullptr)
    return ToGoneWords(sentence, who);
  return sentence;
}

std::string Timeline::NeverMadeFor(const std::string& line, const sim::Vec3* spot) const {
  if (neverMade_.size() == 1) return neverMade_.front();
  for (const std::string& who : neverMade_) {
    if (spot != nullptr ? RoutineSpotAt(who, *spot) != nullptr : RoutineHasLine(who, line))
      return who;
  }
  return "ped 0";
}

void Timeline::OnModelRequest(const sim::CallEvent& e) {
  const CompanionInfo* who = CompanionByModel(e.call.Hash(0));
  if (who == nullptr) return;
  const auto loading = std::find(loading_.begin(), loading_.end(), who->name);
  if (e.call.sig->id == NativeId::RequestModel) {
    if (loading == loading_.end()) loading_.push_back(who->name);
    return;
  }
  if (loading == loading_.end()) return;
  if (e.call.sig->id == NativeId::HasModelLoaded) {
    loading_.erase(loading);
    return;
  }
  // Released without ever having loaded: the plugin gave the companion up.
  loading_.erase(loading);
  if (std::find(neverMade_.begin(), neverMade_.end(), who->name) == neverMade_.end())
    neverMade_.push_back(who->name);
  Emit(Since(e.clock), GivenUpWords(who->name));
}

float Timeline::PlayerDistanceTo(sim::Vec3 point) const {
  return sim::Distance(world_.PlayerPosition(), point);
}

void Timeline::OnCreation(const sim::CallEvent& e, std::int64_t at) {
  const sim::NativeCall& c = e.call;
  const auto made = static_cast<sim::Handle>(c.result[0]);
  switch (c.sig->id) {
    case NativeId::CreatePed: {
      const CompanionInfo* who = CompanionByModel(c.Hash(0));
      const std::string name = who != nullptr ? who->name : "a ped of model " + HexHash(c.Hash(0));
      if (who != nullptr) {
        std::erase(loading_, name);
        std::erase(neverMade_, name);
      }
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
      return Emit(at, BlipAddedWords(NameOf(c.Handle(1))));
    case NativeId::ShowObjectiveText:
      return Emit(at, ObjectiveWords(c.String(0)));
    default:
      return;
  }
}

void Timeline::OnHandleFinding(const sim::CallEvent& e, std::int64_t at) {
  const sim::NativeCall& c = e.call;
  const sim::HandleFinding& f = c.finding;
  const auto i = static_cast<std::size_t>(f.arg);
  const sim::Handle handle =
      c.sig->args[i] == sim::ArgKind::HandleRef ? e.refBefore[i] : c.Handle(f.arg);
  if (f.foreign) {
    return Emit(at, fmt::format("another script's {} ({}) changed by {}: it is not the plugin's",
                                HandleNoun(f.named), handle, c.sig->name));
  }
  std::string whose;
  if (const auto it = known_.find(handle); it != known_.end()) {
    whose = it->second.thing == Thing::Companion ? it->second.name + "'s "
                                                 : "the " + it->second.name + "'s ";
  }
  Emit(at, fmt::format("{}{} handle ({}) given to {}, which takes {}", whose, HandleNoun(f.named),
                       handle, c.sig->name, sim::HandleKindWords(c.sig->handles[i].kinds)));
}

void Timeline::OnRemoval(const sim::CallEvent& e, std::int64_t at) {
  const sim::NativeCall& c = e.call;
  // Prop sets are removed by the handle's value, everything else through its address.
  const sim::Handle gone = c.sig->id == NativeId::DeletePropSet ? c.Handle(0) : e.refBefore[0];
  // Not the plugin's mission entity: the game removes nothing, and the thing stays known.
  if (c.finding.unowned != 0) [[unlikely]] {
    std::string what = NameOf(gone);
    if (known_.contains(gone)) what += fmt::format(" ({})", gone);
    if (const auto r = released_.find(gone); r != released_.end()) {
      what = r->second.name + ", left to the game earlier,";
    }
    return Emit(at, fmt::format("{} deleted without owning it: {}, nothing removed", what,
                                c.finding.unowned == 1 ? "another script's" : "nobody's"));
  }
  const auto it = known_.find(gone);
  if (it == known_.end()) {
    // Released earlier and still there: the plugin takes it away itself now.
    if (const auto r = released_.find(gone); r != released_.end()) {
      const std::string name = r->second.name;
      released_.erase(r);
      return Emit(at, fmt::format("{}, left to the game earlier and still there, removed", name));
    }
    return Emit(at,
                fmt::format("{} called on {}, which campsim never saw made", c.sig->name, gone));
  }
  const Known thing = it->second;
  known_.erase(it);
  // Released, it stays in the world for a while; the plugin may still remove it.
  if (c.sig->id == NativeId::DismissPed || c.sig->id == NativeId::DeleteVehicle) {
    released_.emplace(gone, thing);
  }
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
      // Released, it stays where it stands until the game clears it.
      const char* how = c.sig->id == NativeId::DeleteVehicle ? "left to the game" : "removed";
      const std::string text =
          toFence < kDeliveryRadius
              ? fmt::format("supply wagon delivered, player {:.2f} units from the fence; wagon {}",
                            toFence, how)
              : fmt::format("supply wagon {}, player {:.2f} units from its spot", how,
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
  std::string who = NameOf(speaker);
  if (speaker == 0 && !neverMade_.empty()) who = NeverMadeFor(line, nullptr);
  const std::string said = SpeechWords(who, line, speech.variation, false);
  const std::string told = AsItStands(speaker, who, said);
  EmitOrRepeat(fmt::format("say {} {}", speaker, line), at,
               told == said ? SpeechWords(who, line, speech.variation, silent) : told,
               fmt::format("{} asked to say \"{}\"", who, line));
}

void Timeline::OnTask(const sim::CallEvent& e, std::int64_t at) {
  const sim::NativeCall& c = e.call;
  const sim::Handle ped = c.Handle(0);
  auto point = [&](int i) { return sim::Vec3{c.Float(i), c.Float(i + 1), c.Float(i + 2)}; };
  const sim::Vec3 at3 = point(c.sig->id == NativeId::TaskStartScenarioAtPosition ? 2 : 1);
  std::string who = NameOf(ped);
  if (ped == 0 && !neverMade_.empty()) who = NeverMadeFor("", &at3);
  std::string words;
  switch (c.sig->id) {
    case NativeId::TaskGoToCoord:
      words = WalkWords(who, at3, c.Float(4));
      break;
    case NativeId::TaskGoStraightToCoord:
      words = StraightWords(who, at3);
      break;
    case NativeId::TaskStartScenarioAtPosition:
      words = ScenarioWords(who, c.Hash(1), at3, c.Int(6));
      break;
    case NativeId::TaskWanderInArea:
      words = WanderWords(who, c.Float(4), at3);
      break;
    case NativeId::TaskTurnPedToFaceEntity: {
      // Given every frame of a lock-on: only the first of a run is worth a line.
      words = AsItStands(ped, who, TurnWords(who, NameOf(c.Handle(1))));
      if (listener_ != nullptr) listener_->OnTask(at, who, words);
      return EmitOrRepeat(fmt::format("turn {}", ped), at, words, "");
    }
    default:
      return;
  }
  words = AsItStands(ped, who, words);
  if (listener_ != nullptr) listener_->OnTask(at, who, words);
  Emit(at, words);
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
        return Emit(at, HeldWords(exchange_.owner, exchange_.label));
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
