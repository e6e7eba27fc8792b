// How campsim words what the plugin did: the timeline's sentences, which the report's page
// shows as they are (its bubbles, its tasks, its stall marker), so there is one wording.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sim/host/native_call.h"

namespace campsim {

std::string JoinWords(const std::vector<std::string>& items);

// "his spot B (x, y, z)", "her home (x, y, z)", or the bare point for no spot of theirs.
std::string PlaceWords(std::string_view who, sim::Vec3 at);

// A line asked of a speaker: `Charles says "SPOT_RABBIT" (variation 2)`.
std::string SpeechWords(std::string_view who, std::string_view line, std::int32_t variation,
                        bool neverHeard);

// The tasks a routine or a conversation gives.
std::string WalkWords(std::string_view who, sim::Vec3 to, float speed);
std::string StraightWords(std::string_view who, sim::Vec3 to);
std::string ScenarioWords(std::string_view who, std::uint32_t scenario, sim::Vec3 at,
                          std::int32_t durationMs);
std::string WanderWords(std::string_view who, float radius, sim::Vec3 centre);
std::string TurnWords(std::string_view who, std::string_view whom);
// A task given to a ped the game no longer has: nothing happens.
std::string ToGoneWords(std::string_view sentence, std::string_view who);

// A companion whose model never loaded: the plugin gives up and goes on with ped 0, so what
// it asks of that companion afterwards happens to no one.
std::string GivenUpWords(std::string_view who);
std::string ToNeverMadeWords(std::string_view sentence, std::string_view who);

// What the script waits for: "Charles's model to load".
std::string WaitingWords(std::string_view cause);
std::string StallWords(std::int64_t lengthMs, std::string_view cause, bool ongoing);

std::string PromptsWords(std::string_view owner, const std::vector<std::string>& labels,
                         bool shown);
std::string HeldWords(std::string_view owner, std::string_view label);
// A prompt as the player holds it, and while its exchange plays.
std::string HoldingWords(std::string_view owner, std::string_view label, bool exchanging);
std::string PropsPlacedWords(std::size_t placed, int refused);
std::string BlipAddedWords(std::string_view entity);
std::string ObjectiveWords(std::string_view text);
// "prop-set", "ped", ... for the kind of thing a handle named, as in "prop-set handle".
std::string HandleNoun(std::uint8_t kind);

}  // namespace campsim
