// The handles of the placed camp objects, one per row of the table, in its order.
#pragma once

#include <array>
#include <cstddef>

#include "game/types.h"
#include "scenery/props_table.h"

namespace campfire {

// Room for every row is part of the plugin's image, so placing never allocates and
// nothing is built when the library loads.
struct PropHandles {
  std::array<EntityHandle, propsTable.size()> handles;
  std::size_t count;
};

}  // namespace campfire
