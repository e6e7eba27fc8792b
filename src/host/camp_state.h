// Everything the plugin remembers between frames, in one place, so that a fresh start of
// the script forgets all of it in one statement.
#pragma once

#include "companions/companion.h"
#include "game/types.h"
#include "scenery/prop_handles.h"
#include "talk/conversation.h"

namespace campfire {

struct CampState {
  Companion charles;
  Companion sadie;
  Companion karen;
  Companion abe;

  // Never cleared while the script runs: a deleted prompt's handle stays, and the game
  // reports it no longer valid.
  ConversationPrompts charlesPrompts;
  ConversationPrompts sadiePrompts;
  ConversationPrompts karenPrompts;

  EntityHandle tentHandle;
  bool tentSpawned;

  PropHandles propHandles;
  bool propsSpawned;

  EntityHandle supplyWagon;
  bool supplyWagonSpawned;
  EntityHandle supplyWagonBlip;

  bool rideRemarksDone;
  bool objectiveShown;

  // The player's ped when the script started, whose steps the location remarks follow.
  EntityHandle startPlayerPed;
  // The player's ped as the main loop last saw it.
  EntityHandle lastPlayerPed;
};

// Zero at load, and again at every start of the script.
extern CampState camp;

}  // namespace campfire
