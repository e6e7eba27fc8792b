#include "tools/campsim/timeline/census.h"

#include <fmt/format.h>

#include <algorithm>

#include "tools/campsim/camp/clock_text.h"

namespace campsim {

namespace {

constexpr int kMostTents = 1;
constexpr int kMostWagons = 1;
constexpr int kMostBlips = 1;
constexpr int kMostPrompts = 12;
// A delivered wagon is left to the game at the fence, far from here; only wagons this near
// the wagon's spot count as the camp's.
constexpr float kNearCamp = 500.0f;

}  // namespace

CampCensus TakeCensus(sim::Simulation& sim) {
  sim::World& world = sim.world();
  CampCensus census;
  const std::uint32_t wagonModel = sim::JoaatHash(sim::places::kWagonModel);
  const std::uint32_t tentPropset = sim::JoaatHash(sim::places::kTentPropset);
  for (const sim::Entity* e : world.Entities()) {
    if (e->foreign) continue;  // another script's, whatever its model
    switch (e->kind) {
      case sim::EntityKind::Ped:
        for (std::size_t i = 0; i < kCompanions.size(); ++i) {
          if (kCompanions[i].model == e->model && !e->dead) ++census.companions[i];
        }
        break;
      case sim::EntityKind::Object:
        ++census.props;
        break;
      case sim::EntityKind::Propset:
        if (e->model == tentPropset) ++census.tents;
        break;
      case sim::EntityKind::Vehicle:
        if (e->model == wagonModel &&
            sim::Distance(e->position, sim::places::kWagonSpot) <= kNearCamp) {
          ++census.wagons;
        }
        break;
    }
  }
  for (sim::Handle blip : world.LiveBlips()) {
    const sim::BlipInfo* b = world.Blip(blip);
    if (b == nullptr || b->foreign) continue;
    ++census.blips;
    if (world.Find(b->entity) == nullptr) ++census.blipsWithoutWagon;
  }
  for (sim::Handle prompt : world.LivePrompts()) {
    const sim::PromptInfo* p = world.Prompt(prompt);
    if (p != nullptr && !p->foreign) ++census.prompts;
  }
  for (const sim::HandleFindingRecord& f : world.HandleFindings()) {
    ++(f.foreign ? census.foreignTouched : census.kindMismatches);
  }
  census.unownedDeletions = static_cast<int>(world.UnownedDeletions().size());
  census.heldAcrossWait = world.HeldAcrossWaitCount();
  census.unreleased = world.UnreleasedRequests();
  // The main loop's last question each frame is whether the player sits in the wagon (or,
  // once per boarding, the objective's last cue); anywhere else it is inside a creation or
  // an exchange, where requests are rightly still open.
  const sim::Host& host = sim.host();
  census.atRest = host.Waiting() && host.WaitMs() == 0 &&
                  (host.LastNative() == sim::NativeId::IsPedInVehicle ||
                   host.LastNative() == sim::NativeId::ObjectiveCueC);
  return census;
}

std::string DescribeAlive(const CampCensus& c) {
  std::string companions;
  for (std::size_t i = 0; i < kCompanions.size(); ++i) {
    if (c.companions[i] == 0) continue;
    if (!companions.empty()) companions += ", ";
    companions += kCompanions[i].name;
    if (c.companions[i] > 1) companions += fmt::format(" x{}", c.companions[i]);
  }
  if (companions.empty()) companions = "none";
  std::string blips = fmt::format("{}", c.blips);
  if (c.blipsWithoutWagon > 0) blips += fmt::format(" ({} without its wagon)", c.blipsWithoutWagon);
  return fmt::format("companions {}; props {}; tent {}; wagon {}; blips {}; prompts {}", companions,
                     c.props, c.tents, c.wagons, blips, c.prompts);
}

std::string DescribeUnreleased(const std::vector<std::uint32_t>& hashes) {
  if (hashes.empty()) return "nothing";
  std::string text;
  for (std::uint32_t hash : hashes) {
    if (!text.empty()) text += ", ";
    const std::string name = AssetName(hash);
    text += name == HexHash(hash) ? name : fmt::format("{} ({})", name, HexHash(hash));
  }
  return text;
}

namespace {

// "none", or "3, the first at 1:02.500: DoesEntityExist given a prop set (1003), which takes
// an entity".
std::string DescribeFindings(const sim::World& world, bool foreign) {
  int count = 0;
  const sim::HandleFindingRecord* first = nullptr;
  for (const sim::HandleFindingRecord& f : world.HandleFindings()) {
    if (f.foreign != foreign) continue;
    if (first == nullptr) first = &f;
    ++count;
  }
  if (first == nullptr) return "none";
  const sim::NativeSignature& sig = sim::SignatureOf(first->native);
  const std::string what =
      foreign ? fmt::format("{} ({}) changed by {}", sim::HandleKindWords(first->named),
                            first->handle, sig.name)
              : fmt::format(
                    "{} given {} ({}), which takes {}", sig.name,
                    sim::HandleKindWords(first->named), first->handle,
                    sim::HandleKindWords(sig.handles[static_cast<std::size_t>(first->arg)].kinds));
  const std::int64_t at = static_cast<std::uint32_t>(first->clock) -
                          static_cast<std::uint32_t>(world.Settings().startClock);
  return fmt::format("{}, the first at {}: {}", count, FormatClock(at), what);
}

}  // namespace

std::string DescribeKindMismatches(const sim::World& world) {
  return DescribeFindings(world, false);
}
std::string DescribeForeignTouched(const sim::World& world) {
  return DescribeFindings(world, true);
}

namespace {

std::string Since(const sim::World& world, std::int32_t clock) {
  return FormatClock(static_cast<std::uint32_t>(clock) -
                     static_cast<std::uint32_t>(world.Settings().startClock));
}

}  // namespace

std::string DescribeUnownedDeletions(const sim::World& world) {
  const std::vector<sim::UnownedDeletion>& all = world.UnownedDeletions();
  if (all.empty()) return "none";
  const sim::UnownedDeletion& first = all.front();
  const std::string whose =
      first.owner == sim::Owner::OtherScript ? "another script's mission entity" : "nobody's";
  return fmt::format("{}, the first at {}: {} ({}) deleted without owning it", all.size(),
                     Since(world, first.clock), first.handle, whose);
}

std::string DescribeHeldAcrossWait(const sim::World& world) {
  if (world.HeldAcrossWaitCount() == 0) return "none";
  const sim::HeldCall& first = world.HeldAcrossWait().front();
  // The natives that made the most of them, so that a mod maker knows where to look.
  const std::vector<std::uint64_t> byNative = world.HeldAcrossWaitByNative();
  std::vector<std::size_t> order(byNative.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return byNative[a] > byNative[b]; });
  std::string most;
  for (std::size_t i = 0; i < 3 && byNative[order[i]] > 0; ++i) {
    most += fmt::format("{}{} {}", most.empty() ? "" : ", ",
                        sim::SignatureOf(static_cast<sim::NativeId>(order[i])).name,
                        Grouped(byNative[order[i]]));
  }
  return fmt::format(
      "{}, the first at {}: {} through {} (argument {}), not proved since a wait; most by {}",
      Grouped(world.HeldAcrossWaitCount()), Since(world, first.clock),
      sim::SignatureOf(first.native).name, first.handle, first.arg + 1, most);
}

std::vector<std::string> CheckCensus(const CampCensus& c, const CensusRules& rules) {
  std::vector<std::string> broken;
  for (std::size_t i = 0; i < kCompanions.size(); ++i) {
    if (c.companions[i] > 1) {
      broken.push_back(
          fmt::format("{} peds of {} alive at once", c.companions[i], kCompanions[i].name));
    }
  }
  if (c.props > static_cast<int>(kPropCount)) {
    broken.push_back(fmt::format("{} props alive, more than {}", c.props, kPropCount));
  }
  if (c.tents > kMostTents) broken.push_back(fmt::format("{} campfire tents alive", c.tents));
  if (c.wagons > kMostWagons) broken.push_back(fmt::format("{} supply wagons alive", c.wagons));
  if (c.blips > kMostBlips) broken.push_back(fmt::format("{} map blips alive", c.blips));
  if (c.blipsWithoutWagon > 0) {
    broken.push_back(fmt::format("{} map blip{} left without {} wagon", c.blipsWithoutWagon,
                                 c.blipsWithoutWagon == 1 ? "" : "s",
                                 c.blipsWithoutWagon == 1 ? "its" : "their"));
  }
  if (c.prompts > kMostPrompts) {
    broken.push_back(fmt::format("{} prompts alive, more than {}", c.prompts, kMostPrompts));
  }
  if (c.kindMismatches > 0) {
    broken.push_back(fmt::format("{} handle{} given to natives that do not take {} kind",
                                 c.kindMismatches, c.kindMismatches == 1 ? "" : "s",
                                 c.kindMismatches == 1 ? "its" : "their"));
  }
  if (c.foreignTouched > 0) {
    broken.push_back(fmt::format("{} change{} to another script's things", c.foreignTouched,
                                 c.foreignTouched == 1 ? "" : "s"));
  }
  // Both are counted in the summary; as the counts grow through a run, the rules are named
  // without them, so that one broken rule is one line of the soak's report.
  if (c.unownedDeletions > 0) broken.push_back("entities deleted without owning them");
  if (rules.heldAcrossWait && c.heldAcrossWait > 0) {
    broken.push_back("calls through numbers held across a wait");
  }
  if (c.atRest && !c.unreleased.empty()) {
    broken.push_back("requests never released: " + DescribeUnreleased(c.unreleased));
  }
  return broken;
}

}  // namespace campsim
