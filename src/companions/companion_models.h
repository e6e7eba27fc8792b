// The model and outfit each companion is made from, as the game's hashes (the names behind
// them are the game's). The creation recipes and campsim read them from here.
#pragma once

#include "game/types.h"

namespace campfire {

struct CompanionModel {
  NameHash model;
  NameHash outfit;
};

inline constexpr CompanionModel kCharlesModel{.model = 0x53DD98DF,
                                              .outfit = 0x1BB5E76A};  // "cs_charlessmith"
inline constexpr CompanionModel kSadieModel{.model = 0x155E51DB,
                                            .outfit = 0xEDB7FA06};  // "cs_mrsadler"
inline constexpr CompanionModel kKarenModel{.model = 0x9A3E29FB,
                                            .outfit = 0xA6070639};  // "cs_karen"
inline constexpr CompanionModel kAbeModel{.model = 0xA8B1C9F7, .outfit = 0x027DA60F};

}  // namespace campfire
