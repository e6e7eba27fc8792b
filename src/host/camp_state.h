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

  // Each handle is forgotten once the prompt is deleted.
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
};

// Zero at load, and again at every start of the script.
extern CampState camp;

}  // namespace campfire
