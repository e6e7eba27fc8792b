// Sadie's prompts and exchanges.
#include "companions/companion.h"
#include "host/camp_state.h"
#include "talk/conversation.h"
#include "talk/conversations.h"

namespace campfire {

namespace {

constexpr Speaker kPlayer = Speaker::kPlayer;
constexpr Speaker kSadie = Speaker::kCompanion;

// Her parting line is not waited for: "Talk" is back while she still speaks.
constexpr ConversationLine kTalk[] = {
    {kPlayer, "GREET_SECOND_WILDERNESS_CONV", Drawn(1, 6), Poll(0)},
    {kSadie, "COMMENT_ON_FOOD_GOOD", Drawn(1, 3), Poll(0)},
    {kPlayer, "GREET_JACK_THIRD_FAREWELL_VADIVARS_GENERAL_CONV", Drawn(1, 3), Poll(0)},
    {kSadie, "GLAD_TO_HEAR_THAT_BEAVER", Drawn(1, 4), Poll(0)},
    {kPlayer, "GREET_JACK_CLOSER_POSTFIN2_CONV1", Fixed(1), Poll(0)},
    {kSadie, "CAMP_GOODBYE", Drawn(3, 6), kNoWait},
};

constexpr ConversationLine kGuard[] = {
    {kPlayer, "GREET_CHARLES_POSTBE22_CONV1", Fixed(1), Poll(0)},
    {kSadie, "GREET_SECOND_RESPONSE_GENERAL_CONV", Drawn(2, 3), Poll(0)},
    {kPlayer, "GREET_ABIGAIL_BCABICNV5_CLOSER", Fixed(1), Poll(0)},
    {kSadie, "PLAYER_HAS_NEW_GUN", Drawn(1, 4), Poll(0)},
    {kPlayer, "PLAYER_PURCHASE_WEAPON_FROM_GUNSMITH", Drawn(1, 6), Poll(0)},
    {kSadie, "PLAYER_SHOOTS_RANDOMLY_SAD2_RIDE1", Drawn(1, 3), Poll(0)},
    {kPlayer, "GREET_ABIGAIL_BCABICNV2_CLOSER", Drawn(1, 2), Poll(0)},
};

constexpr ConversationLine kGoodbye[] = {
    {kPlayer, "GREET_THIRD_SO_ANYHOW_CONV", Drawn(1, 7), Poll(0)},
    {kSadie, "GENERIC_EXCUSE_MYSELF", Drawn(1, 4), Poll(0)},
    {kPlayer, "GREET_THIRD_WILDERNESS_CONV", Drawn(1, 6), Poll(0)},
    {kSadie, "GENERIC_GOODBYE", Drawn(1, 4), Poll(500)},
};

constexpr ConversationLine kHello[] = {
    {kPlayer, "GREET_MED", Drawn(1, 7), Poll(0)},
    {kSadie, "GREET_JOHN", Drawn(1, 4), Poll(0)},
};

constexpr Conversation kSadieConversation{
    .companion = &camp.sadie,
    .prompts = &camp.sadiePrompts,
    .modelName = "cs_mrsadler",
    .blocks = {{
        {kTalkPrompt, kTalk},
        {kGuardPrompt, kGuard},
        {kGoodbyePrompt, kGoodbye},
        {kHelloPrompt, kHello},
    }},
};

}  // namespace

void UpdateSadieConversation() { UpdateConversation(kSadieConversation); }

}  // namespace campfire
