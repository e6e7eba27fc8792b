// The plugin's one script: world setup, then one pass of the main loop per frame.
#pragma once

#include "game/types.h"

namespace campfire {

extern EntityHandle startPlayerPed;
extern bool objectiveShown;

void ScriptMain();

void SetUpWorld();
void RunFrame();

}  // namespace campfire
