#include "tools/campsim/timeline/wording.h"

#include <fmt/format.h>

#include "tools/campsim/camp/camp_tables.h"
#include "tools/campsim/camp/clock_text.h"
#include "tools/campsim/scenario_file/scenario.h"

namespace campsim {

namespace {

const char* PossessiveOf(std::string_view who) {
  const CompanionInfo* c = CompanionByName(who);
  return c != nullptr ? c->possessive : "its";
}

const char* ObjectOf(std::string_view who) {
  const CompanionInfo* c = CompanionByName(who);
  if (c == nullptr) return "it";
  return std::string_view(c->possessive) == "his" ? "him" : "her";
}

}  // namespace

std::string JoinWords(const std::vector<std::string>& items) {
  std::string joined;
  for (const std::string& item : items) {
    if (!joined.empty()) joined += ", ";
    joined += item;
  }
  return joined;
}

std::string PlaceWords(std::string_view who, sim::Vec3 at) {
  const RoutineSpot* spot = RoutineSpotAt(who, at);
  if (spot == nullptr) return FormatPoint(at);
  if (std::string_view(spot->label) == "home") {
    return fmt::format("{} home {}", PossessiveOf(who), FormatPoint(at));
  }
  return fmt::format("{} spot {} {}", PossessiveOf(who), spot->label, FormatPoint(at));
}

std::string SpeechWords(std::string_view who, std::string_view line, std::int32_t variation,
                        bool neverHeard) {
  return fmt::format("{} says \"{}\" (variation {}){}", who, line, variation,
                     neverHeard ? ", never heard" : "");
}

std::string WalkWords(std::string_view who, sim::Vec3 to, float speed) {
  return fmt::format("{} walks to {} at {:.1f} units/s", who, PlaceWords(who, to), speed);
}

std::string StraightWords(std::string_view who, sim::Vec3 to) {
  return fmt::format("{} goes straight to {}", who, PlaceWords(who, to));
}

std::string ScenarioWords(std::string_view who, std::uint32_t scenario, sim::Vec3 at,
                          std::int32_t durationMs) {
  return fmt::format("{} starts {} at {} for {} s", who, ScenarioName(scenario),
                     PlaceWords(who, at), durationMs / 1000);
}

std::string WanderWords(std::string_view who, float radius, sim::Vec3 centre) {
  return fmt::format("{} wanders within {:.0f} units of {}", who, radius, PlaceWords(who, centre));
}

std::string TurnWords(std::string_view who, std::string_view whom) {
  return fmt::format("{} turns to face {}", who, whom == "player" ? "the player" : whom);
}

std::string ToGoneWords(std::string_view sentence, std::string_view who) {
  return fmt::format("{}, but {} ped is gone: nothing happens", sentence, PossessiveOf(who));
}

std::string GivenUpWords(std::string_view who) {
  return fmt::format(
      "{0} was never made: {1} model did not load, and the plugin goes on with "
      "ped 0 for {2}",
      who, PossessiveOf(who), ObjectOf(who));
}

std::string ToNeverMadeWords(std::string_view sentence, std::string_view who) {
  return fmt::format("{}, but {} ped was never made: nothing happens", sentence, PossessiveOf(who));
}

std::string WaitingWords(std::string_view cause) { return fmt::format("waiting for {}", cause); }

std::string StallWords(std::int64_t lengthMs, std::string_view cause, bool ongoing) {
  return ongoing ? fmt::format("still stalled after {}, {}", FormatSeconds(lengthMs),
                               WaitingWords(cause))
                 : fmt::format("stall of {} {}", FormatSeconds(lengthMs), WaitingWords(cause));
}

std::string PromptsWords(std::string_view owner, const std::vector<std::string>& labels,
                         bool shown) {
  return fmt::format("{}: prompt{} {}: {}", owner, labels.size() == 1 ? "" : "s",
                     shown ? "shown" : "removed", JoinWords(labels));
}

std::string HeldWords(std::string_view owner, std::string_view label) {
  return fmt::format("{}: \"{}\" held, the exchange begins", owner, label);
}

std::string HoldingWords(std::string_view owner, std::string_view label, bool exchanging) {
  return exchanging ? fmt::format("{}: the \"{}\" exchange plays", owner, label)
                    : fmt::format("{}: \"{}\" held", owner, label);
}

std::string PropsPlacedWords(std::size_t placed, int refused) {
  return refused == 0 ? fmt::format("{} props placed", placed)
                      : fmt::format("{} props placed, {} refused by the game", placed, refused);
}

std::string BlipAddedWords(std::string_view entity) {
  return fmt::format("map blip added to the {}", entity);
}

std::string ObjectiveWords(std::string_view text) {
  return fmt::format("objective shown: \"{}\"", text);
}

std::string HandleNoun(std::uint8_t kind) {
  switch (kind) {
    case sim::kPedHandle:
      return "ped";
    case sim::kVehicleHandle:
      return "vehicle";
    case sim::kObjectHandle:
      return "object";
    case sim::kPropSetHandle:
      return "prop-set";
    case sim::kBlipHandle:
      return "blip";
    case sim::kPromptHandle:
      return "prompt";
    default:
      return "unknown";
  }
}

}  // namespace campsim
