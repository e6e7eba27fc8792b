// What each conversation must sound like: the four prompts, and per companion the block
// order and the exchange each prompt plays, line by line.
#pragma once

#include <array>
#include <span>

namespace campfire_test {

enum class Speaker { kPlayer, kCompanion };
inline constexpr Speaker kPlayer = Speaker::kPlayer;
inline constexpr Speaker kCompanion = Speaker::kCompanion;

// Drawn with GetRandomIntInRange(lo, hi) just before the line; lo == hi is the fixed
// variation lo, with no draw.
struct Variation {
  int lo;
  int hi;
  constexpr bool Drawn() const { return hi != lo; }
};
inline constexpr Variation kOne{1, 1};

// Requested and not waited for.
inline constexpr int kNotWaited = -1;

struct ExpectedLine {
  Speaker speaker;
  const char* line;
  Variation variation;
  int pollMs;  // the wait between two questions while the speaker talks, or kNotWaited
};

using ExpectedExchange = std::span<const ExpectedLine>;

struct PromptKind {
  const char* label;
  const char* control;
};

inline constexpr PromptKind kTalk{"Talk", "INPUT_CONTEXT_A"};
inline constexpr PromptKind kGuard{"Guard", "INPUT_CONTEXT_Y"};
inline constexpr PromptKind kGoodbye{"Goodbye", "INPUT_INTERACT_LOCKON_STUDY_BINOCULARS"};
inline constexpr PromptKind kHello{"Hello", "INPUT_CONTEXT_RT"};

inline constexpr ExpectedLine kCharlesTalk[] = {
    {kPlayer, "GREET_SECOND_HOWS_IT_GOING_CONV", {1, 7}, 0},
    {kCompanion, "GOING_WELL", {1, 4}, 0},
    {kPlayer, "GREET_CHARLES_SECOND_VADIVARS_GENERAL_CONV", {1, 4}, 0},
    {kCompanion, "GREET_SECOND_RESPONSE_GENERAL_CONV_DOWN", {5, 6}, 0},
    {kPlayer, "GREET_CHARLES_BCCHRCNV1_GREET", {1, 2}, 0},
};

inline constexpr ExpectedLine kCharlesGuard[] = {
    {kPlayer, "GREET_CHARLES_POSTBE22_CONV1", kOne, 0},
    {kCompanion, "GOING_WELL_BEAVER", {2, 3}, 0},
    {kPlayer, "GREET_ABIGAIL_BCABICNV5_CLOSER", kOne, 0},
    {kCompanion, "CAMP_GOODBYE_BEAVER", {1, 3}, 0},
    {kPlayer, "GREET_CHARLES_SECOND_VADIVARS_GENERAL_CONV", kOne, 0},
    {kCompanion, "CAMP_GOODBYE_DOWN", {1, 3}, 0},
};

inline constexpr ExpectedLine kCharlesGoodbye[] = {
    {kPlayer, "GREET_THIRD_SO_ANYHOW_CONV", {1, 7}, 0},
    {kCompanion, "GENERIC_EXCUSE_MYSELF", {1, 4}, 0},
    {kPlayer, "GREET_THIRD_WILDERNESS_CONV", {1, 6}, 0},
    {kCompanion, "GENERIC_GOODBYE", {1, 4}, 500},
};

inline constexpr ExpectedLine kCharlesHello[] = {
    {kPlayer, "GREET_CHARLES", {1, 6}, 0},
    {kCompanion, "GREET_JOHN", {1, 4}, 0},
};

inline constexpr ExpectedLine kSadieTalk[] = {
    {kPlayer, "GREET_SECOND_WILDERNESS_CONV", {1, 6}, 0},
    {kCompanion, "COMMENT_ON_FOOD_GOOD", {1, 3}, 0},
    {kPlayer, "GREET_JACK_THIRD_FAREWELL_VADIVARS_GENERAL_CONV", {1, 3}, 0},
    {kCompanion, "GLAD_TO_HEAR_THAT_BEAVER", {1, 4}, 0},
    {kPlayer, "GREET_JACK_CLOSER_POSTFIN2_CONV1", kOne, 0},
    {kCompanion, "CAMP_GOODBYE", {3, 6}, kNotWaited},
};

inline constexpr ExpectedLine kSadieGuard[] = {
    {kPlayer, "GREET_CHARLES_POSTBE22_CONV1", kOne, 0},
    {kCompanion, "GREET_SECOND_RESPONSE_GENERAL_CONV", {2, 3}, 0},
    {kPlayer, "GREET_ABIGAIL_BCABICNV5_CLOSER", kOne, 0},
    {kCompanion, "PLAYER_HAS_NEW_GUN", {1, 4}, 0},
    {kPlayer, "PLAYER_PURCHASE_WEAPON_FROM_GUNSMITH", {1, 6}, 0},
    {kCompanion, "PLAYER_SHOOTS_RANDOMLY_SAD2_RIDE1", {1, 3}, 0},
    {kPlayer, "GREET_ABIGAIL_BCABICNV2_CLOSER", {1, 2}, 0},
};

inline constexpr ExpectedLine kSadieGoodbye[] = {
    {kPlayer, "GREET_THIRD_SO_ANYHOW_CONV", {1, 7}, 0},
    {kCompanion, "GENERIC_EXCUSE_MYSELF", {1, 4}, 0},
    {kPlayer, "GREET_THIRD_WILDERNESS_CONV", {1, 6}, 0},
    {kCompanion, "GENERIC_GOODBYE", {1, 4}, 500},
};

inline constexpr ExpectedLine kSadieHello[] = {
    {kPlayer, "GREET_MED", {1, 7}, 0},
    {kCompanion, "GREET_JOHN", {1, 4}, 0},
};

inline constexpr ExpectedLine kKarenTalk[] = {
    {kPlayer, "GREET_SECOND_HOWS_IT_GOING_CONV", {1, 7}, 0},
    {kCompanion, "GOING_WELL", {1, 4}, 0},
    {kPlayer, "GREET_SECOND_SORRY_TO_HEAR_THAT_CONV", {1, 7}, 0},
    {kCompanion, "CAMP_STORY_RESPONSE_SAD", {1, 4}, 0},
    {kPlayer, "GREET_CHARLES_POSTJCK2_CONV1", kOne, 0},
    {kCompanion, "CAMP_GOODBYE_COLTER", {1, 2}, 0},
    {kPlayer, "GREET_CHARLES_SECOND_VADIVARS_GENERAL_CONV", kOne, 0},
    {kCompanion, "RELIEVE_SCOUT_RESPONSE", {1, 2}, 0},
    {kPlayer, "GREET_THIRD_GEN_RESPONSE_CONV", {1, 7}, 0},
    {kCompanion, "GREET_KAREN_RESPONSE_POSTDTC3_CONV1", {1, 2}, 0},
    {kPlayer, "GREET_CHARLES_BCCNUCNV3_GREET", kOne, 0},
    {kCompanion, "SORRY_TO_HEAR_THAT_UPBEAT", {1, 3}, 0},
    {kPlayer, "GREET_ABIGAIL_BCABICNV5_GREET", kOne, 0},
    {kCompanion, "GREET_SECOND_RESPONSE_CHORES_CONV", {1, 2}, 0},
    {kPlayer, "MINIGAME_PLAYER_AMB_VOCALFX_FILLER", {1, 6}, 0},
};

inline constexpr ExpectedLine kKarenGoodbye[] = {
    {kPlayer, "GREET_THIRD_SO_ANYHOW_CONV", {1, 7}, 0},
    {kCompanion, "SORRY_TO_HEAR_THAT", {2, 4}, 0},
    {kPlayer, "GREET_THIRD_WILDERNESS_CONV", {1, 6}, 0},
    {kCompanion, "GENERIC_GOODBYE", {1, 4}, 500},
};

inline constexpr ExpectedLine kKarenHello[] = {
    {kPlayer, "GREET_GENERAL", {1, 10}, 0},
    {kCompanion, "GREET_JOHN", {1, 4}, 0},
};

inline constexpr ExpectedLine kKarenGuard[] = {
    {kPlayer, "GREET_SECOND_HOWS_IT_GOING_CONV", {1, 7}, 0},
    {kCompanion, "GOING_WELL", {1, 4}, 0},
    {kPlayer, "GREET_SECOND_GENERAL_CONV", {1, 3}, 0},
    {kCompanion, "GREET_PLAYER_CAMPFIRE", {3, 4}, 0},
    {kPlayer, "MINIGAME_PLAYER_AMB_VOCALFX_COMMENT_INTERESTING", {1, 3}, 0},
    {kCompanion, "GREET_KAREN_RESPONSE_POSTPRSN_CONV1", {1, 2}, 0},
    {kPlayer, "GREET_CHARLES_POSTBE22_CONV1", {1, 2}, 0},
    {kCompanion, "SORRY_TO_HEAR_THAT_UPBEAT", {3, 4}, 0},
    {kPlayer, "GREET_ABIGAIL_BCABICNV5_CLOSER", kOne, 0},
};

struct ExpectedBlock {
  PromptKind prompt;
  ExpectedExchange exchange;
  bool blocksEvents;  // Talk alone holds off the companion's non-temporary events
};

struct ConversingCompanion {
  const char* name;                     // the ped's prompt name
  const char* modelName;                // hashed by the plugin to recognise the targeted ped
  std::array<ExpectedBlock, 4> blocks;  // the order of creation, checks and deletion
};

inline constexpr ConversingCompanion kCharles{
    "Charles",
    "cs_charlessmith",
    {{{kTalk, kCharlesTalk, true},
      {kGuard, kCharlesGuard, false},
      {kGoodbye, kCharlesGoodbye, false},
      {kHello, kCharlesHello, false}}},
};

inline constexpr ConversingCompanion kSadie{
    "Sadie",
    "cs_mrsadler",
    {{{kTalk, kSadieTalk, true},
      {kGuard, kSadieGuard, false},
      {kGoodbye, kSadieGoodbye, false},
      {kHello, kSadieHello, false}}},
};

// Karen's "Guard" comes last.
inline constexpr ConversingCompanion kKaren{
    "Karen",
    "cs_karen",
    {{{kTalk, kKarenTalk, true},
      {kGoodbye, kKarenGoodbye, false},
      {kHello, kKarenHello, false},
      {kGuard, kKarenGuard, false}}},
};

// In the order the plugin looks at them each frame.
inline constexpr std::array<const ConversingCompanion*, 3> kConversingCompanions{&kKaren, &kCharles,
                                                                                 &kSadie};

}  // namespace campfire_test
