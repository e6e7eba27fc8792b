#include "tools/campsim/run/visit_planner.h"

#include <cmath>

#include "sim/scenario/camp_places.h"
#include "tools/campsim/camp/camp_tables.h"

namespace campsim {

namespace {

constexpr sim::Vec3 kCampCentre{-1625.0f, -1390.0f, 82.0f};
// About one activity in forty is a reload or a restart.
constexpr double kInterruptChance = 0.025;

}  // namespace

sim::Vec3 VisitPlanner::Around(sim::Vec3 centre, double lo, double hi) {
  double dx = 0.0;
  double dy = 0.0;
  double length = 0.0;
  while (length < 0.1) {
    dx = random_.Range(-1.0, 1.0);
    dy = random_.Range(-1.0, 1.0);
    length = std::sqrt(dx * dx + dy * dy);
  }
  const double distance = random_.Range(lo, hi);
  return {static_cast<float>(centre.x + dx / length * distance),
          static_cast<float>(centre.y + dy / length * distance), centre.z};
}

std::vector<Step> VisitPlanner::RideIn() {
  ++visits_;
  inCamp_ = true;
  activitiesLeft_ = random_.Between(2, 7);
  const auto speed = static_cast<float>(random_.Range(5.0, 12.0));
  return {WaitStep{random_.Between(5'000, 1'200'000)},
          MoveStep{Around(kCampCentre, 5.0, 60.0), speed}};
}

std::vector<Step> VisitPlanner::RideOut() {
  inCamp_ = false;
  std::vector<Step> steps;
  if (random_.Chance(0.8)) steps.push_back(ReleaseTargetStep{});
  steps.push_back(
      MoveStep{Around(kCampCentre, 320.0, 900.0), static_cast<float>(random_.Range(6.0, 14.0))});
  return steps;
}

std::vector<Step> VisitPlanner::Talk(sim::Simulation& sim) {
  const CompanionInfo& who = kCompanions[random_.Below(kCompanions.size())];
  sim::Vec3 near = who.home;
  if (const sim::Entity* e = sim.world().Find(sim.world().FindPedNamed(who.name)))
    near = e->position;
  std::vector<Step> steps{
      MoveStep{Around(near, 1.5, 4.0), static_cast<float>(random_.Range(1.5, 4.0))},
      TargetStep{who.name}};
  if (random_.Chance(0.75)) {
    // Some holds fall short of the 700 ms the prompts need.
    steps.push_back(HoldStep{kPromptControls[random_.Below(kPromptControls.size())],
                             random_.Between(200, 1500)});
  }
  steps.push_back(WaitStep{random_.Between(0, 25'000)});
  if (random_.Chance(0.8)) steps.push_back(ReleaseTargetStep{});
  return steps;
}

std::vector<Step> VisitPlanner::Remark() {
  const RemarkSpot& spot = kRemarkSpots[random_.Below(kRemarkSpots.size())];
  return {MoveStep{spot.at, static_cast<float>(random_.Range(1.5, 4.0))},
          WaitStep{random_.Between(200, 5'000)}};
}

std::vector<Step> VisitPlanner::Drive() {
  const sim::Vec3 spot = sim::places::kWagonSpot;
  std::vector<Step> steps{MoveStep{{spot.x - 2.0f, spot.y - 3.0f, spot.z}, 3.0f}, BoardStep{},
                          WaitStep{random_.Between(0, 12'000)}};
  const double pick = random_.Unit();
  const auto speed = static_cast<float>(random_.Range(12.0, 25.0));
  if (pick < 0.4) {
    steps.push_back(MoveStep{Around(sim::places::kFence, 5.0, 40.0), speed});
    steps.push_back(LeaveStep{});
    steps.push_back(WaitStep{random_.Between(500, 5'000)});
    steps.push_back(MoveStep{Around(kCampCentre, 5.0, 60.0), speed});
  } else if (pick < 0.7) {
    steps.push_back(MoveStep{Around(spot, 20.0, 400.0), speed});
    steps.push_back(LeaveStep{});
  } else {
    steps.push_back(LeaveStep{});
  }
  return steps;
}

std::vector<Step> VisitPlanner::Interrupt() {
  const double pick = random_.Unit();
  if (pick < 0.3) return {RestartStep{}};
  if (pick < 0.65) return {ReloadStep{}};
  // A save loaded elsewhere, in or out of the camp.
  inCamp_ = random_.Chance(0.5);
  if (inCamp_) activitiesLeft_ = random_.Between(1, 4);
  return {ReloadStep{inCamp_ ? Around(kCampCentre, 5.0, 60.0) : Around(kCampCentre, 320.0, 900.0)}};
}

std::vector<Step> VisitPlanner::Next(sim::Simulation& sim) {
  if (random_.Chance(kInterruptChance)) return Interrupt();
  if (!inCamp_) return RideIn();
  if (activitiesLeft_-- <= 0) return RideOut();
  const double pick = random_.Unit();
  if (pick < 0.30) return Talk(sim);
  if (pick < 0.55) return Remark();
  if (pick < 0.75) return {WaitStep{random_.Between(1'000, 120'000)}};
  return Drive();
}

}  // namespace campsim
