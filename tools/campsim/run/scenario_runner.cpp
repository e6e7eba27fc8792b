#include "tools/campsim/run/scenario_runner.h"

#include "sim/scenario/camp_places.h"
#include "tools/campsim/camp/clock_text.h"
#include "tools/campsim/timeline/timeline.h"

namespace campsim {

ScenarioRunner::ScenarioRunner(sim::Simulation& sim, Timeline* timeline)
    : sim_(sim), timeline_(timeline) {}

void ScenarioRunner::Note(const std::string& text) {
  if (timeline_ != nullptr) timeline_->Note(text);
}

void ScenarioRunner::Frame() {
  if (going_ && sim_.world().StepPlayerToward(*going_->to, going_->unitsPerSecond)) going_.reset();
  sim_.Frame();
  for (FrameObserver* o : observers_) o->AfterFrame(sim_);
}

void ScenarioRunner::RunFor(std::int32_t ms) {
  const std::int64_t start = sim_.world().ElapsedMs();
  while (!Stopped() && sim_.world().ElapsedMs() - start < ms) Frame();
}

// As the simulation's own MoveTo, but every frame goes past the observers.
bool ScenarioRunner::MoveTo(sim::Vec3 to, float unitsPerSecond, std::int64_t maxMs) {
  const std::int64_t start = sim_.world().ElapsedMs();
  while (!Stopped()) {
    if (sim_.world().StepPlayerToward(to, unitsPerSecond)) return true;
    Frame();
    if (sim_.world().ElapsedMs() - start >= maxMs) return false;
  }
  return false;
}

void ScenarioRunner::Hold(const std::string& control, std::int32_t ms) {
  sim_.world().PressControl(sim::JoaatHash(control), ms);
  RunFor(ms);
}

sim::Handle ScenarioRunner::Victim(const std::string& name) {
  sim::World& world = sim_.world();
  if (name == "wagon") return sim_.Wagon();
  if (name == "tent") {
    const auto tents = world.EntitiesOfModel(sim::JoaatHash(sim::places::kTentPropset));
    return tents.empty() ? 0 : tents.front();
  }
  return world.FindPedNamed(name);
}

bool ScenarioRunner::Run(std::span<const Step> steps) {
  for (const Step& step : steps) {
    if (!Apply(step)) return false;
  }
  return !Stopped();
}

bool ScenarioRunner::Apply(const Step& step) {
  if (Stopped()) return false;
  Note("> " + Describe(step));
  sim::World& world = sim_.world();
  // Whatever puts the player somewhere else ends the way under way.
  if (std::holds_alternative<TeleportStep>(step) || std::holds_alternative<MoveStep>(step) ||
      std::holds_alternative<GoStep>(step) || std::holds_alternative<BoardStep>(step) ||
      std::holds_alternative<LeaveStep>(step) || std::holds_alternative<ReloadStep>(step)) {
    going_.reset();
  }
  std::visit(Overloaded{
                 [&](const WaitStep& s) { RunFor(s.ms); },
                 [&](const TeleportStep& s) { sim_.Teleport(s.to); },
                 [&](const MoveStep& s) {
                   if (!MoveTo(s.to, s.unitsPerSecond, s.maxMs)) {
                     Note("  not there after " + FormatLong(s.maxMs) + "; the player stops");
                   }
                 },
                 [&](const TargetStep& s) {
                   if (!sim_.Target(s.name)) Note("  no living ped is named " + s.name);
                 },
                 [&](const ReleaseTargetStep&) { sim_.ReleaseTarget(); },
                 [&](const HoldStep& s) { Hold(s.control, s.ms); },
                 [&](const PressStep& s) { world.HoldControl(sim::JoaatHash(s.control)); },
                 [&](const ReleaseStep& s) { world.ReleaseControl(sim::JoaatHash(s.control)); },
                 [&](const GoStep& s) {
                   if (s.to) going_ = s;
                 },
                 [&](const BoardStep&) {
                   if (!sim_.BoardWagon()) Note("  there is no wagon to board");
                 },
                 [&](const LeaveStep&) { sim_.Leave(); },
                 [&](const VanishStep& s) {
                   const sim::Handle h = Victim(s.name);
                   if (h == 0) return Note("  there is no " + s.name + " to take away");
                   world.Vanish(h);
                 },
                 [&](const KillStep& s) {
                   const sim::Handle h = Victim(s.name);
                   if (h == 0) return Note("  there is no " + s.name + " to kill");
                   world.Kill(h);
                 },
                 [&](const NeverLoadsStep& s) { world.NeverLoads(s.hash); },
                 [&](const SilentLineStep& s) { world.SilentLine(s.line); },
                 [&](const NewPlayerPedStep&) { world.ReplacePlayerPed(); },
                 [&](const ReloadStep& s) { sim_.Reload(s.at); },
                 [&](const RestartStep&) { sim_.Restart(); },
                 [&](const OtherScriptStep&) { sim_.OtherScriptActs(); },
                 [&](const DropPromptStep&) {
                   const sim::Handle dropped = world.DropAPrompt();
                   Note(dropped == 0 ? std::string("  the plugin has no prompt to drop")
                                     : "  prompt " + std::to_string(dropped) + " is gone");
                 },
             },
             step);
  return !Stopped();
}

}  // namespace campsim
