// Karen's prompts and exchanges.
#include "companions/companion.h"
#include "host/camp_state.h"
#include "talk/conversation.h"
#include "talk/conversations.h"

namespace campfire {

namespace {

constexpr Speaker kPlayer = Speaker::kPlayer;
constexpr Speaker kKaren = Speaker::kCompanion;

constexpr ConversationLine kTalk[] = {
    {kPlayer, "GREET_SECOND_HOWS_IT_GOING_CONV", Drawn(1, 7), Poll(0)},
    {kKaren, "GOING_WELL", Drawn(1, 4), Poll(0)},
    {kPlayer, "GREET_SECOND_SORRY_TO_HEAR_THAT_CONV", Drawn(1, 7), Poll(0)},
    {kKaren, "CAMP_STORY_RESPONSE_SAD", Drawn(1, 4), Poll(0)},
    {kPlayer, "GREET_CHARLES_POSTJCK2_CONV1", Fixed(1), Poll(0)},
    {kKaren, "CAMP_GOODBYE_COLTER", Drawn(1, 2), Poll(0)},
    {kPlayer, "GREET_CHARLES_SECOND_VADIVARS_GENERAL_CONV", Fixed(1), Poll(0)},
    {kKaren, "RELIEVE_SCOUT_RESPONSE", Drawn(1, 2), Poll(0)},
    {kPlayer, "GREET_THIRD_GEN_RESPONSE_CONV", Drawn(1, 7), Poll(0)},
    {kKaren, "GREET_KAREN_RESPONSE_POSTDTC3_CONV1", Drawn(1, 2), Poll(0)},
    {kPlayer, "GREET_CHARLES_BCCNUCNV3_GREET", Fixed(1), Poll(0)},
    {kKaren, "SORRY_TO_HEAR_THAT_UPBEAT", Drawn(1, 3), Poll(0)},
    {kPlayer, "GREET_ABIGAIL_BCABICNV5_GREET", Fixed(1), Poll(0)},
    {kKaren, "GREET_SECOND_RESPONSE_CHORES_CONV", Drawn(1, 2), Poll(0)},
    {kPlayer, "MINIGAME_PLAYER_AMB_VOCALFX_FILLER", Drawn(1, 6), Poll(0)},
};

constexpr ConversationLine kGoodbye[] = {
    {kPlayer, "GREET_THIRD_SO_ANYHOW_CONV", Drawn(1, 7), Poll(0)},
    {kKaren, "SORRY_TO_HEAR_THAT", Drawn(2, 4), Poll(0)},
    {kPlayer, "GREET_THIRD_WILDERNESS_CONV", Drawn(1, 6), Poll(0)},
    {kKaren, "GENERIC_GOODBYE", Drawn(1, 4), Poll(500)},
};

constexpr ConversationLine kHello[] = {
    {kPlayer, "GREET_GENERAL", Drawn(1, 10), Poll(0)},
    {kKaren, "GREET_JOHN", Drawn(1, 4), Poll(0)},
};

constexpr ConversationLine kGuard[] = {
    {kPlayer, "GREET_SECOND_HOWS_IT_GOING_CONV", Drawn(1, 7), Poll(0)},
    {kKaren, "GOING_WELL", Drawn(1, 4), Poll(0)},
    {kPlayer, "GREET_SECOND_GENERAL_CONV", Drawn(1, 3), Poll(0)},
    {kKaren, "GREET_PLAYER_CAMPFIRE", Drawn(3, 4), Poll(0)},
    {kPlayer, "MINIGAME_PLAYER_AMB_VOCALFX_COMMENT_INTERESTING", Drawn(1, 3), Poll(0)},
    {kKaren, "GREET_KAREN_RESPONSE_POSTPRSN_CONV1", Drawn(1, 2), Poll(0)},
    {kPlayer, "GREET_CHARLES_POSTBE22_CONV1", Drawn(1, 2), Poll(0)},
    {kKaren, "SORRY_TO_HEAR_THAT_UPBEAT", Drawn(3, 4), Poll(0)},
    {kPlayer, "GREET_ABIGAIL_BCABICNV5_CLOSER", Fixed(1), Poll(0)},
};

// Karen's "Guard" comes last, unlike the others'.
constexpr Conversation kKarenConversation{
    .companion = &camp.karen,
    .prompts = &camp.karenPrompts,
    .modelName = "cs_karen",
    .blocks = {{
        {kTalkPrompt, kTalk},
        {kGoodbyePrompt, kGoodbye},
        {kHelloPrompt, kHello},
        {kGuardPrompt, kGuard},
    }},
};

}  // namespace

void UpdateKarenConversation() { UpdateConversation(kKarenConversation); }

}  // namespace campfire
