#include "tools/campsim/report/replay.h"

#include <cmath>

#include "sim/scenario/camp_places.h"
#include "tools/campsim/map/view.h"
#include "tools/campsim/timeline/wording.h"

namespace campsim {

namespace {

constexpr float kStraight = 0.01f;      // units off the line through its neighbours
constexpr std::int64_t kKeyMs = 2'000;  // a point kept at least this often, against drift

sim::Vec3 Between(const TrackPoint& a, const TrackPoint& b, std::int64_t ms) {
  const float f = static_cast<float>(ms - a.ms) / static_cast<float>(b.ms - a.ms);
  return {a.at.x + (b.at.x - a.at.x) * f, a.at.y + (b.at.y - a.at.y) * f,
          a.at.z + (b.at.z - a.at.z) * f};
}

}  // namespace

std::vector<Trail> Replay::Trails() const {
  std::vector<Trail> trails;
  for (const Track& track : tracks) {
    Trail& trail = trails.emplace_back(Trail{track.name, {}});
    for (const auto& segment : track.segments) {
      auto& points = trail.segments.emplace_back();
      for (const TrackPoint& p : segment) points.push_back(p.at);
    }
  }
  return trails;
}

ReplayRecorder::ReplayRecorder(const Timeline* timeline) : timeline_(timeline) {
  for (const Style& s : kStyles) replay_.tracks.push_back(Track{s.name, {}});
  lastHandle_.assign(replay_.tracks.size(), 0);
  lastKeyMs_.assign(replay_.tracks.size(), 0);
}

void ReplayRecorder::Set(const std::string& channel, std::int64_t atMs, const std::string& text) {
  auto& spans = replay_.channels[channel];
  bool& open = open_[channel];
  if (open && spans.back().text == text) return;
  if (open) spans.back().toMs = atMs;
  open = !text.empty();
  if (open) spans.push_back(Span{atMs, -1, text});
}

void ReplayRecorder::SampleActor(std::size_t i, std::int64_t ms, sim::Handle handle,
                                 const sim::Entity* e) {
  if (e == nullptr) {
    lastHandle_[i] = 0;
    return;
  }
  auto& segments = replay_.tracks[i].segments;
  const TrackPoint p{ms, e->position};
  if (handle != lastHandle_[i] || segments.empty() ||
      sim::Distance(segments.back().back().at, p.at) > kTeleportJump) {
    segments.push_back({p});
    lastHandle_[i] = handle;
    lastKeyMs_[i] = ms;
    return;
  }
  auto& points = segments.back();
  // The latest point may go if it lies on the line from the one before it to this one.
  const std::size_t n = points.size();
  if (n >= 2 && points[n - 1].ms > lastKeyMs_[i] && ms - lastKeyMs_[i] <= kKeyMs &&
      sim::Distance(Between(points[n - 2], p, points[n - 1].ms), points[n - 1].at) < kStraight) {
    points[n - 1] = p;
    return;
  }
  if (n >= 2) lastKeyMs_[i] = points[n - 1].ms;
  points.push_back(p);
}

void ReplayRecorder::SampleSpeech(const sim::World& world, std::int64_t now) {
  const auto& spoken = world.Spoken();
  for (; spokenSeen_ < spoken.size(); ++spokenSeen_) {
    const sim::SpokenLine& line = spoken[spokenSeen_];
    if (line.silent) continue;
    const sim::Entity* e = world.Find(line.speaker);
    const std::string who =
        line.speaker == world.PlayerPed() ? "player" : (e != nullptr ? e->name : "");
    lastSaid_[line.speaker] = SpeechWords(who, line.lineName, line.variation, false);
  }
  for (const Track& track : replay_.tracks) {
    if (track.name == "wagon") continue;
    const sim::Handle h =
        track.name == "player" ? world.PlayerPed() : world.FindPedNamed(track.name);
    const bool speaking = h != 0 && world.IsSpeaking(h);
    Set("speech:" + track.name, now, speaking ? lastSaid_[h] : std::string());
  }
}

void ReplayRecorder::SamplePrompts(const sim::World& world, std::int64_t now) {
  std::vector<std::string> labels;
  std::string held;
  const sim::Entity* target = world.Find(world.LockOnTarget());
  const std::string owner = target != nullptr ? target->name : "";
  for (const sim::Handle h : world.LivePrompts()) {
    const sim::PromptInfo* p = world.Prompt(h);
    if (p == nullptr || !p->registered || !p->visible) continue;
    labels.push_back(p->label);
    if (!p->enabled) {
      held = HoldingWords(owner, p->label, true);
    } else if (p->heldMs > 0 && held.empty()) {
      held = HoldingWords(owner, p->label, false);
    }
  }
  Set("prompts", now, labels.empty() ? std::string() : PromptsWords(owner, labels, true));
  Set("held", now, held);
}

void ReplayRecorder::SampleScenery(sim::Simulation& sim, std::int64_t now) {
  const sim::World& world = sim.world();
  std::size_t props = 0;
  for (const sim::Entity* e : world.Entities()) props += e->kind == sim::EntityKind::Object;
  Set("props", now, props > 0 ? PropsPlacedWords(props, 0) : std::string());
  const bool tent = !world.EntitiesOfModel(sim::JoaatHash(sim::places::kTentPropset)).empty();
  Set("tent", now, tent ? "campfire tent placed" : "");
  bool blip = false;
  for (const sim::Handle b : world.LiveBlips()) {
    const sim::BlipInfo* info = world.Blip(b);
    blip = blip || (info != nullptr && info->entity == sim.Wagon() && sim.Wagon() != 0);
  }
  Set("blip", now, blip ? BlipAddedWords("supply wagon") : "");
  const auto& shown = world.ObjectivesShown();
  if (shown.size() > objectivesSeen_) objective_ = shown.back();
  objectivesSeen_ = shown.size();
  if (world.PlayerVehicle() == 0) objective_.clear();  // shown while the player drives
  Set("objective", now, objective_);
}

void ReplayRecorder::AfterFrame(sim::Simulation& sim) {
  const sim::World& world = sim.world();
  const std::int64_t now = world.ElapsedMs();
  for (std::size_t i = 0; i < replay_.tracks.size(); ++i) {
    const std::string& name = replay_.tracks[i].name;
    if (name == "player") {
      const sim::Handle h = world.PlayerPed();
      SampleActor(i, now, h, world.Find(h));
      continue;
    }
    const sim::Handle h = name == "wagon" ? sim.Wagon() : world.FindPedNamed(name);
    SampleActor(i, now, h, world.Find(h));
    if (name != "wagon" && world.Find(h) == nullptr) Set("task:" + name, now, "");
  }
  SampleSpeech(world, now);
  SamplePrompts(world, now);
  SampleScenery(sim, now);
  const auto waiting = timeline_ != nullptr ? timeline_->WaitingNow() : std::nullopt;
  if (waiting && now - waiting->startMs > world.Settings().frameMs) {
    Set("stall", waiting->startMs, WaitingWords(waiting->cause));
  } else {
    Set("stall", now, "");
  }
  replay_.lengthMs = now;
}

void ReplayRecorder::OnLine(std::int64_t atMs, const std::string& text) {
  replay_.lines.push_back(TimelineEntry{atMs, text});
}

void ReplayRecorder::OnTask(std::int64_t atMs, const std::string& who, const std::string& words) {
  Set("task:" + who, atMs, words);
}

Replay ReplayRecorder::Finish(const sim::World& world) {
  replay_.lengthMs = std::max(replay_.lengthMs, world.ElapsedMs());
  replay_.frameMs = world.Settings().frameMs;
  for (auto& [name, spans] : replay_.channels) {
    if (open_[name]) spans.back().toMs = replay_.lengthMs + replay_.frameMs;
  }
  open_.clear();
  return std::move(replay_);
}

}  // namespace campsim
