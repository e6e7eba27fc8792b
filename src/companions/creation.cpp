#include "companions/creation.h"

#include "game/game_clock.h"
#include "game/invoke.h"
#include "game/loading.h"
#include "game/natives.h"
#include "game/ownership.h"
#include "game/player_watch.h"
#include "game/requests.h"
#include "game/wrappers.h"

namespace campfire {

namespace {

constexpr std::uint32_t kStripPauseMs = 100;

bool LoadModel(NameHash model) {
  RequestModel(model);
  return WaitUntilLoaded([model] { return Invoke<bool>(natives::HasModelLoaded, model); });
}

// The ped as the creation knows it, proved after each wait before anything acts on it.
struct Made {
  Companion& companion;
  std::uint32_t provedAt;

  bool StillOurs() { return StillOursSince(companion.ped, companion.model, provedAt); }
};

// An outfit that never becomes ready is given up; the ped keeps its default clothes.
void Dress(Made& made, NameHash outfit) {
  if (made.companion.ped == 0) return;
  const std::int32_t request = RequestOutfit(made.companion.model, outfit);
  const bool ready = WaitUntilLoaded(
      [request] { return Invoke<bool>(natives::IsMetaPedOutfitRequestReady, request); });
  if (ready && made.StillOurs()) ApplyPedMetaPedOutfit(request, made.companion.ped);
  ReleaseOutfit(request);
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

// Blocks that act on the ped at once: once it is found not ours, they are skipped. The pause
// and the outfit wait first, and prove the ped after.
bool ActsOnPed(CreationBlock block) {
  switch (block) {
    case CreationBlock::Name:
    case CreationBlock::Arm:
    case CreationBlock::Flags:
    case CreationBlock::Keep:
    case CreationBlock::Group:
      return true;
    default:
      return false;
  }
}

// Counting the companion as present keeps the dispatcher from retrying the load every
// frame while the player stays near; leaving and coming back tries again.
void Abandon(Companion& companion, const CreationRecipe& recipe) {
  ReleaseModel(recipe.model);
  companion.ped = 0;
  MarkReady(companion, recipe.firstStepDelayMs);
}

}  // namespace

// A ped deleted during a pause or a load, its number since given to another, is forgotten
// and gets nothing more; the companion still counts as present, as after a failed load.
void RunCreation(Companion& companion, const CreationRecipe& recipe) {
  Made made{companion, 0};
  NameHash group = 0;
  for (CreationBlock block : recipe.blocks) {
    if (ActsOnPed(block) && !made.StillOurs()) continue;
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
        made.provedAt = WaitsSoFar();
        break;
      case CreationBlock::Name:
        Invoke(natives::SetPedPromptName, companion.ped, recipe.name);
        break;
      case CreationBlock::Strip:
        WaitAndWatchPlayer(kStripPauseMs);
        if (made.StillOurs()) Invoke(natives::RemoveAllPedWeapons, companion.ped, 1, 1);
        WaitAndWatchPlayer(kStripPauseMs);
        break;
      case CreationBlock::Yield:
        WaitAndWatchPlayer(0);
        break;
      case CreationBlock::Arm:
        Arm(companion.ped, recipe.weapon);
        break;
      case CreationBlock::Dress:
        Dress(made, recipe.outfit);
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
        if (group != 0) TieToPlayer(group);
        break;
      case CreationBlock::Ready:
        MarkReady(companion, recipe.firstStepDelayMs);
        break;
      case CreationBlock::Release:
        ReleaseModel(recipe.model);
        break;
    }
  }
}

}  // namespace campfire
