// The four companions' creation recipes.
#include "companions/companion_models.h"
#include "companions/creation.h"
#include "companions/spawning.h"
#include "game/ownership.h"
#include "host/camp_state.h"

namespace campfire {

namespace {

using enum CreationBlock;

// Only Charles is stripped before he is armed.
constexpr CreationBlock kCharlesBlocks[] = {Load,  Create, Name,  Strip, Arm,    Dress,
                                            Flags, Keep,   Group, Ready, Release};
// Sadie goes unarmed, and is tied to the player's group as Karen is.
constexpr CreationBlock kSadieBlocks[] = {Load, Create, Yield, Dress, Name,   Group,
                                          Tie,  Flags,  Keep,  Ready, Release};
constexpr CreationBlock kKarenBlocks[] = {Load,  Create, Dress, Arm,   Name,   Keep,
                                          Flags, Group,  Tie,   Ready, Release};
constexpr CreationBlock kAbeBlocks[] = {Load, Create, Dress, Arm,   Name,
                                        Keep, Flags,  Group, Ready, Release};

constexpr ConfigFlag kUsualFlags[] = {{130, 0}};
constexpr ConfigFlag kSadieFlags[] = {{130, 0}, {40, 0}, {111, 1}, {113, 1}, {233, 0}};

constexpr CreationRecipe kCharles{
    .model = kCharlesModel.model,
    .outfit = kCharlesModel.outfit,
    .name = "Charles",
    .weapon = {.weapon = "WEAPON_RIFLE_BOLTACTION", .ammoCount = 100, .ammoType = "AMMO_RIFLE"},
    .group = "REL_GANG_DUTCHS",
    .flags = kUsualFlags,
    .firstStepDelayMs = 1000,
    .blocks = kCharlesBlocks,
};

constexpr CreationRecipe kSadie{
    .model = kSadieModel.model,
    .outfit = kSadieModel.outfit,
    .name = "Sadie",
    .weapon = {},
    .group = "REL_PLAYER_LIKE",
    .flags = kSadieFlags,
    .firstStepDelayMs = 1000,
    .blocks = kSadieBlocks,
};

constexpr CreationRecipe kKaren{
    .model = kKarenModel.model,
    .outfit = kKarenModel.outfit,
    .name = "Karen",
    .weapon = {.weapon = "WEAPON_REVOLVER_CATTLEMAN",
               .ammoCount = 100,
               .ammoType = "AMMO_REVOLVER"},
    // Lower case is fine: the game lower-cases a name before hashing it.
    .group = "rel_gang_dutchs",
    .flags = kUsualFlags,
    .firstStepDelayMs = 1000,
    .blocks = kKarenBlocks,
};

constexpr CreationRecipe kAbe{
    .model = kAbeModel.model,
    .outfit = kAbeModel.outfit,
    .name = "Abe",
    .weapon = {.weapon = "WEAPON_SHOTGUN_PUMP", .ammoCount = 50, .ammoType = "AMMO_SHOTGUN"},
    .group = "REL_GANG_DUTCHS",
    .flags = kUsualFlags,
    .firstStepDelayMs = 2000,
    .blocks = kAbeBlocks,
};

static_assert(IsWellFormed(kCharles));
static_assert(IsWellFormed(kSadie));
static_assert(IsWellFormed(kKaren));
static_assert(IsWellFormed(kAbe));

}  // namespace

void SpawnCharles() { RunCreation(camp.charles, kCharles); }
void SpawnSadie() {
  // The Sadie dismissed last may still be in the camp: the camp never holds two.
  RemoveReleased(camp.sadie.released, kSadie.model);
  RunCreation(camp.sadie, kSadie);
}
void RemoveLeftoverCompanions() {
  RemoveLeftover(camp.charles.ped, kCharles.model);
  RemoveLeftover(camp.sadie.ped, kSadie.model);
  RemoveReleased(camp.sadie.released, kSadie.model);
  RemoveLeftover(camp.karen.ped, kKaren.model);
  RemoveLeftover(camp.abe.ped, kAbe.model);
}

bool AnyCompanionLeft() {
  return IsLeftover(camp.charles.ped, kCharles.model) || IsLeftover(camp.sadie.ped, kSadie.model) ||
         IsLeftover(camp.karen.ped, kKaren.model) || IsLeftover(camp.abe.ped, kAbe.model);
}

void SpawnKaren() { RunCreation(camp.karen, kKaren); }
void SpawnAbe() { RunCreation(camp.abe, kAbe); }

}  // namespace campfire
