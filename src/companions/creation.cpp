#include "companions/creation.h"

#include "game/game_clock.h"
#include "game/invoke.h"
#include "game/loading.h"
#include "game/natives.h"
#include "game/player_watch.h"
#include "game/wrappers.h"

namespace campfire {

namespace {

constexpr std::uint32_t kStripPauseMs = 100;

bool LoadModel(NameHash model) {
  Invoke(natives::RequestModel, model, 1);
  return WaitUntilLoaded([model] { return Invoke<bool>(natives::HasModelLoaded, model); });
}

// An outfit that never becomes ready is given up; the ped keeps its default clothes.
void Dress(EntityHandle ped, NameHash model, NameHash outfit) {
  const auto request = Invoke<std::int32_t>(natives::RequestMetaPedOutfit, model, outfit);
  const bool ready = WaitUntilLoaded(
      [request] { return Invoke<bool>(natives::IsMetaPedOutfitRequestReady, request); });
  if (ready) ApplyPedMetaPedOutfit(request, ped);
  Invoke(natives::ReleaseMetaPedOutfitRequest, request);
}

void Arm(EntityHandle ped, const WeaponKit& kit) {
  const NameHash ammoType = GetHashKey(kit.ammoType);
  const NameHash weapon = GetHashKey(kit.weapon);
  GiveWeaponToPed(ped, weapon, kit.ammoCount, ammoType);
}

void TieToPlayer(NameHash ownGroup) {
  const auto playerGroup = Invoke<NameHash>(natives::GetPedRelationshipGroupHash, PlayerPedId());
  SetRelationshipBetweenGroups(ownGroup, playerGroup);
  SetRelationshipBetweenGroups(playerGroup, ownGroup);
}

void MarkReady(Companion& companion, std::int32_t firstStepDelayMs) {
  companion.step = 0;
  companion.spawned = true;
  companion.nextStepTime = ClockAfter(GetGameTimer(), firstStepDelayMs);
}

// Counting the companion as present keeps the dispatcher from retrying the load every
// frame while the player stays near; leaving and coming back tries again.
void Abandon(Companion& companion, const CreationRecipe& recipe) {
  Invoke(natives::SetModelAsNoLongerNeeded, recipe.model);
  companion.ped = 0;
  MarkReady(companion, recipe.firstStepDelayMs);
}

}  // namespace

void RunCreation(Companion& companion, const CreationRecipe& recipe) {
  NameHash group = 0;
  for (CreationBlock block : recipe.blocks) {
    switch (block) {
      case CreationBlock::Load:
        if (!LoadModel(recipe.model)) {
          Abandon(companion, recipe);
          return;
        }
        break;
      case CreationBlock::Create:
        companion.ped = CreateEntityAt(natives::CreatePed, recipe.model, companion.home.x,
                                       companion.home.y, companion.home.z, companion.heading);
        companion.model = recipe.model;
        break;
      case CreationBlock::Name:
        Invoke(natives::SetPedPromptName, companion.ped, recipe.name);
        break;
      case CreationBlock::Strip:
        WaitAndWatchPlayer(kStripPauseMs);
        Invoke(natives::RemoveAllPedWeapons, companion.ped, 1, 1);
        WaitAndWatchPlayer(kStripPauseMs);
        break;
      case CreationBlock::Yield:
        WaitAndWatchPlayer(0);
        break;
      case CreationBlock::Arm:
        Arm(companion.ped, recipe.weapon);
        break;
      case CreationBlock::Dress:
        Dress(companion.ped, recipe.model, recipe.outfit);
        break;
      case CreationBlock::Flags:
        for (const ConfigFlag& f : recipe.flags) {
          Invoke(natives::SetPedConfigFlag, companion.ped, f.flag, f.value);
        }
        break;
      case CreationBlock::Keep:
        Invoke(natives::SetPedKeepTask, companion.ped, 1);
        break;
      case CreationBlock::Group:
        group = GetHashKey(recipe.group);
        Invoke(natives::SetPedRelationshipGroupHash, companion.ped, group);
        break;
      case CreationBlock::Tie:
        TieToPlayer(group);
        break;
      case CreationBlock::Ready:
        MarkReady(companion, recipe.firstStepDelayMs);
        break;
      case CreationBlock::Release:
        Invoke(natives::SetModelAsNoLongerNeeded, recipe.model);
        break;
    }
  }
}

}  // namespace campfire
