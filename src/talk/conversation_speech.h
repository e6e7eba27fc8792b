// Lines of a conversation: spoken clearly, one after another.
#pragma once

#include <cstdint>

#include "game/types.h"

namespace campfire {

// Requests the line with the clear-beat speech parameters; does not wait.
void SpeakConversationLine(EntityHandle speaker, const char* lineName, std::int32_t variation);

// Speaks the line and holds the script until the speaker is silent, asking
// again every pollMs (0: every frame).
void SayLineAndWait(EntityHandle speaker, const char* lineName, std::int32_t variation,
                    std::uint32_t pollMs);

}  // namespace campfire
