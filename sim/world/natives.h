// The world's handler of every native, listed once by topic; invoke.cpp routes each id to
// the handler of the same name.
#pragma once

#include "sim/host/native_call.h"

namespace sim {

struct WorldState;

#define CAMPFIRE_WORLD_NATIVES(X)    \
  /* numbers.cpp */                  \
  X(GetGameTimer)                    \
  X(GetRandomIntInRange)             \
  X(GetHashKey)                      \
  X(GetDistanceBetweenCoords)        \
  /* entities.cpp */                 \
  X(DoesEntityExist)                 \
  X(GetEntityCoords)                 \
  X(GetEntityModel)                  \
  X(IsEntityAtCoord)                 \
  X(IsEntityDead)                    \
  X(IsPedDeadOrDying)                \
  X(CreatePed)                       \
  X(CreateVehicle)                   \
  X(CreateObject)                    \
  X(AddPropsetToVehicle)             \
  X(SetEntityRotation)               \
  X(DeleteEntity)                    \
  X(DeleteVehicle)                   \
  X(DismissPed)                      \
  X(SetEntityAsMissionEntity)        \
  X(IsEntityAMissionEntity)          \
  X(DoesEntityBelongToThisScript)    \
  /* prop_sets.cpp */                \
  X(CreatePropset)                   \
  X(DoesPropSetExist)                \
  X(GetPropSetModel)                 \
  X(DeletePropSet)                   \
  /* loading.cpp */                  \
  X(RequestModel)                    \
  X(HasModelLoaded)                  \
  X(SetModelAsNoLongerNeeded)        \
  X(RequestPropset)                  \
  X(HasPropsetLoaded)                \
  X(ReleasePropset)                  \
  X(RequestMetaPedOutfit)            \
  X(IsMetaPedOutfitRequestReady)     \
  X(ApplyPedMetaPedOutfit)           \
  X(ReleaseMetaPedOutfitRequest)     \
  /* peds.cpp */                     \
  X(SetPedPromptName)                \
  X(RemoveAllPedWeapons)             \
  X(GiveWeaponToPed)                 \
  X(SetPedConfigFlag)                \
  X(SetPedKeepTask)                  \
  X(SetPedRelationshipGroupHash)     \
  X(GetPedRelationshipGroupHash)     \
  X(SetRelationshipBetweenGroups)    \
  X(SetBlockingOfNonTemporaryEvents) \
  /* tasks.cpp */                    \
  X(TaskGoToCoord)                   \
  X(TaskGoStraightToCoord)           \
  X(TaskStartScenarioAtPosition)     \
  X(TaskWanderInArea)                \
  X(TaskTurnPedToFaceEntity)         \
  X(IsPedUsingAnyScenario)           \
  /* speech.cpp */                   \
  X(PlayPedAmbientSpeechNative)      \
  X(IsAmbientSpeechPlaying)          \
  /* player.cpp */                   \
  X(PlayerPedId)                     \
  X(PlayerId)                        \
  X(IsPedInVehicle)                  \
  X(IsPlayerTargetingAnything)       \
  X(GetPlayerTargetEntity)           \
  /* prompts.cpp */                  \
  X(CreateVarString)                 \
  X(PromptRegisterBegin)             \
  X(PromptGetGroupIdForTargetEntity) \
  X(PromptSetGroup)                  \
  X(PromptSetOption)                 \
  X(PromptSetText)                   \
  X(PromptSetControlAction)          \
  X(PromptSetPriority)               \
  X(PromptSetHoldMode)               \
  X(PromptSetEnabled)                \
  X(PromptSetVisible)                \
  X(PromptRegisterEnd)               \
  X(PromptIsValid)                   \
  X(PromptDelete)                    \
  X(PromptHasHoldModeCompleted)      \
  /* blips_objective.cpp */          \
  X(BlipAddForEntity)                \
  X(SetBlipSprite)                   \
  X(SetBlipName)                     \
  X(DoesBlipExist)                   \
  X(RemoveBlip)                      \
  X(ShowObjectiveText)               \
  X(ObjectiveCueA)                   \
  X(ObjectiveCueB)                   \
  X(ObjectiveCueC)

namespace natives {
#define CAMPFIRE_DECLARE_NATIVE(name) void name(WorldState& s, NativeCall& call);
CAMPFIRE_WORLD_NATIVES(CAMPFIRE_DECLARE_NATIVE)
#undef CAMPFIRE_DECLARE_NATIVE
}  // namespace natives

}  // namespace sim
