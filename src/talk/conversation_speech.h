// Lines of a conversation: spoken clearly, one after another.
#pragma once

#include <cstdint>

#include "game/types.h"

namespace campfire {

// Requests the line with the clear-beat speech parameters; does not wait.
void SpeakConversationLine(EntityHandle speaker, const char* lineName, std::int32_t variation);

// Far beyond any real line (the longest last a few seconds); a line still playing after
// this much game clock is given up on.
inline constexpr std::int32_t kLineTimeoutMs = 120000;

// Speaks the line and holds the script until the speaker is silent, asking again every
// pollMs (0: every frame), or until kLineTimeoutMs have passed since the first answer
// that the speaker was talking. The clock is read only once that answer is yes.
void SayLineAndWait(EntityHandle speaker, const char* lineName, std::int32_t variation,
                    std::uint32_t pollMs);

}  // namespace campfire
