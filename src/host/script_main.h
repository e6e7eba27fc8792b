// The plugin's one script: world setup, then one pass of the main loop per frame.
#pragma once

#include "game/types.h"

namespace campfire {

void ScriptMain();

// Places the homes and makes what stands from the start, wherever the player is.
void SetUpWorld(EntityHandle playerPed);
void RunFrame();

}  // namespace campfire
