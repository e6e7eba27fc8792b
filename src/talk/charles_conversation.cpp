// Charles's prompts and exchanges.
#include "companions/companion.h"
#include "host/camp_state.h"
#include "talk/conversation.h"
#include "talk/conversations.h"

namespace campfire {

namespace {

constexpr Speaker kPlayer = Speaker::kPlayer;
constexpr Speaker kCharles = Speaker::kCompanion;

constexpr ConversationLine kTalk[] = {
    {kPlayer, "GREET_SECOND_HOWS_IT_GOING_CONV", Drawn(1, 7), Poll(0)},
    {kCharles, "GOING_WELL", Drawn(1, 4), Poll(0)},
    {kPlayer, "GREET_CHARLES_SECOND_VADIVARS_GENERAL_CONV", Drawn(1, 4), Poll(0)},
    {kCharles, "GREET_SECOND_RESPONSE_GENERAL_CONV_DOWN", Drawn(5, 6), Poll(0)},
    {kPlayer, "GREET_CHARLES_BCCHRCNV1_GREET", Drawn(1, 2), Poll(0)},
};

constexpr ConversationLine kGuard[] = {
    {kPlayer, "GREET_CHARLES_POSTBE22_CONV1", Fixed(1), Poll(0)},
    {kCharles, "GOING_WELL_BEAVER", Drawn(2, 3), Poll(0)},
    {kPlayer, "GREET_ABIGAIL_BCABICNV5_CLOSER", Fixed(1), Poll(0)},
    {kCharles, "CAMP_GOODBYE_BEAVER", Drawn(1, 3), Poll(0)},
    {kPlayer, "GREET_CHARLES_SECOND_VADIVARS_GENERAL_CONV", Fixed(1), Poll(0)},
    {kCharles, "CAMP_GOODBYE_DOWN", Drawn(1, 3), Poll(0)},
};

constexpr ConversationLine kGoodbye[] = {
    {kPlayer, "GREET_THIRD_SO_ANYHOW_CONV", Drawn(1, 7), Poll(0)},
    {kCharles, "GENERIC_EXCUSE_MYSELF", Drawn(1, 4), Poll(0)},
    {kPlayer, "GREET_THIRD_WILDERNESS_CONV", Drawn(1, 6), Poll(0)},
    {kCharles, "GENERIC_GOODBYE", Drawn(1, 4), Poll(500)},
};

constexpr ConversationLine kHello[] = {
    {kPlayer, "GREET_CHARLES", Drawn(1, 6), Poll(0)},
    {kCharles, "GREET_JOHN", Drawn(1, 4), Poll(0)},
};

constexpr Conversation kCharlesConversation{
    .companion = &camp.charles,
    .prompts = &camp.charlesPrompts,
    .modelName = "cs_charlessmith",
    .blocks = {{
        {kTalkPrompt, kTalk},
        {kGuardPrompt, kGuard},
        {kGoodbyePrompt, kGoodbye},
        {kHelloPrompt, kHello},
    }},
};

}  // namespace

void UpdateCharlesConversation() { UpdateConversation(kCharlesConversation); }

}  // namespace campfire
