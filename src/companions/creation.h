// Companion creation as data: each companion's recipe is an ordered list of building
// blocks with that companion's values, and one engine runs it.
#pragma once

#include <cstdint>
#include <span>

#include "companions/companion.h"
#include "game/types.h"

namespace campfire {

enum class CreationBlock : std::uint8_t {
  Load,     // request the model and wait for it
  Create,   // make the ped at home and store its handle
  Name,     // the name shown for the ped
  Strip,    // pause, take every weapon away, pause
  Yield,    // give the game one frame
  Arm,      // hand over the weapon with its ammunition
  Dress,    // request the outfit, wait for it, apply it
  Flags,    // the listed config flags, in order
  Keep,     // keep tasks
  Group,    // join the relationship group
  Tie,      // the group and the player's group like each other
  Ready,    // the routine starts from step 0 after the first-step delay
  Release,  // the model is no longer needed
};

struct ConfigFlag {
  std::int32_t flag;
  std::int32_t value;
};

struct WeaponKit {
  const char* weapon;
  std::int32_t ammoCount;
  const char* ammoType;
};

struct CreationRecipe {
  NameHash model;
  NameHash outfit;
  const char* name;
  WeaponKit weapon;  // unused unless the blocks include Arm
  const char* group;
  std::span<const ConfigFlag> flags;
  std::int32_t firstStepDelayMs;
  std::span<const CreationBlock> blocks;
};

// Checked at compile time on every recipe: blocks that need the ped come after Create,
// Tie after Group (it reuses that hash), and Arm only with a weapon.
constexpr bool IsWellFormed(const CreationRecipe& recipe) {
  if (recipe.blocks.empty() || recipe.blocks.front() != CreationBlock::Load) return false;
  bool created = false;
  bool grouped = false;
  for (CreationBlock block : recipe.blocks) {
    switch (block) {
      case CreationBlock::Load:
      case CreationBlock::Yield:
      case CreationBlock::Ready:
      case CreationBlock::Release:
        break;
      case CreationBlock::Create:
        created = true;
        break;
      case CreationBlock::Group:
        if (!created || recipe.group == nullptr) return false;
        grouped = true;
        break;
      case CreationBlock::Tie:
        if (!grouped) return false;
        break;
      case CreationBlock::Arm:
        if (!created || recipe.weapon.weapon == nullptr || recipe.weapon.ammoType == nullptr) {
          return false;
        }
        break;
      case CreationBlock::Name:
        if (!created || recipe.name == nullptr) return false;
        break;
      case CreationBlock::Strip:
      case CreationBlock::Dress:
      case CreationBlock::Flags:
      case CreationBlock::Keep:
        if (!created) return false;
        break;
    }
  }
  return created;
}

// May wait across frames (loading, pauses). If the model never loads, no ped is made
// but the companion still counts as present, so the next try waits for a fresh approach.
void RunCreation(Companion& companion, const CreationRecipe& recipe);

}  // namespace campfire
