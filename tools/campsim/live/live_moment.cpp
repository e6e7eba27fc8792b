// The live run's moment: what the page is told of it, and how often, and game time kept to
// the wall clock at the chosen speed.
#include <string>

#include "sim/host/json_trace.h"
#include "tools/campsim/camp/camp_tables.h"
#include "tools/campsim/live/live_run.h"

namespace campsim {

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kPublishEvery = std::chrono::milliseconds(50);
// Behind by more than this, the pace starts again from now rather than hurrying to catch up.
constexpr auto kMostBehind = std::chrono::milliseconds(250);

std::string ControlNameOf(std::uint32_t hash) {
  for (const char* name : kPromptControls) {
    if (sim::JoaatHash(name) == hash) return name;
  }
  return {};
}

}  // namespace

json LiveRun::NowState() const {
  const sim::World& world = sim_->world();
  json prompts = json::array();
  for (const sim::Handle h : world.LivePrompts()) {
    const sim::PromptInfo* p = world.Prompt(h);
    if (p == nullptr || !p->registered || !p->visible || p->foreign) continue;
    prompts.push_back(
        {{"label", p->label}, {"control", ControlNameOf(p->control)}, {"enabled", p->enabled}});
  }
  const sim::Entity* target = world.Find(world.LockOnTarget());
  const sim::Entity* player = world.Find(world.PlayerPed());
  json now{{"ms", world.ElapsedMs()},
           {"speed", shownSpeed_},
           {"prompts", std::move(prompts)},
           {"target", target != nullptr ? target->name : ""},
           {"aboard", world.PlayerVehicle() != 0},
           {"playing", playing_},
           {"refused", refused_},
           {"stopped", sim_->Failed() ? sim_->Error() : ""}};
  if (player != nullptr) {
    now["player"] = json::array({player->position.x, player->position.y, player->position.z});
  }
  return now;
}

void LiveRun::Publish(bool force) {
  const auto wall = Clock::now();
  if (!force && wall - lastPublish_ < kPublishEvery) return;
  lastPublish_ = wall;
  {
    const std::lock_guard lock(mutex_);
    nowMs_ = sim_->world().ElapsedMs();
    shownSpeed_ = speed_;
  }
  feed_.Publish(replay_->Current(), unsent_, NowState());
  unsent_.clear();
}

// Sleeps until this frame's moment at the chosen speed; inside a step, a pause holds it here.
void LiveRun::Pace() {
  std::unique_lock lock(mutex_);
  for (;;) {
    if (stopping_) throw Stopping{};
    if (!saves_.empty() && inStep_) {
      lock.unlock();
      AnswerSaves(true);
      lock.lock();
      continue;
    }
    if (speed_ > 0) break;
    pacedSpeed_ = -1;
    if (!inStep_) return;  // between steps, the main loop waits for the pause to end
    wake_.wait(lock);
  }
  if (!options_.paced) return;
  const std::int64_t now = sim_->world().ElapsedMs();
  const auto wall = Clock::now();
  if (speed_ != pacedSpeed_) {
    pacedSpeed_ = speed_;
    anchorWall_ = wall;
    anchorMs_ = now;
    return;
  }
  const auto due = anchorWall_ + std::chrono::microseconds((now - anchorMs_) * 1000 / speed_);
  if (wall - due > kMostBehind) {
    anchorWall_ = wall;
    anchorMs_ = now;
    return;
  }
  wake_.wait_until(lock, due,
                   [&] { return stopping_ || !saves_.empty() || speed_ != pacedSpeed_; });
}

}  // namespace campsim
