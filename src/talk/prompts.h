// Hold-to-confirm prompts added to the group the game shows for a targeted ped.
#pragma once

#include "game/types.h"

namespace campfire {

// Registers an enabled, visible prompt in the target's prompt group; the hold
// completes after 700 ms on the named control.
EntityHandle CreateConversationPrompt(const char* label, const char* controlName,
                                      EntityHandle target);

}  // namespace campfire
