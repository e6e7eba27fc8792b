#include <array>
#include <cstdint>

#include "delivery/remarks.h"
#include "delivery/supply_wagon.h"
#include "game/invoke.h"
#include "game/natives.h"
#include "game/player_watch.h"
#include "game/speech.h"
#include "game/wrappers.h"
#include "host/camp_state.h"

namespace campfire {

namespace {

struct RideLine {
  const char* line;
  std::int32_t lo;  // variation bounds, [lo, hi)
  std::int32_t hi;
  std::uint32_t waitAfterMs;
};

constexpr auto rideLines = std::to_array<RideLine>({
    {.line = "PLAYER_HORSE_COMMENT_GOOD_HUNT", .lo = 1, .hi = 3, .waitAfterMs = 5000},
    {.line = "PLAYER_PURCHASED_TALISMAN_TRINKET_MATERIALS", .lo = 1, .hi = 4, .waitAfterMs = 4000},
    {.line = "PLAYER_REQUEST_DESTINATION_EMERALD_RANCH", .lo = 1, .hi = 3, .waitAfterMs = 0},
});

}  // namespace

void UpdateRideRemarks() {
  if (!Invoke<bool>(natives::IsPedInVehicle, PlayerPedId(), camp.supplyWagon, 0)) return;
  if (camp.rideRemarksDone) return;
  // The lines run to the end even if the player climbs down during a pause.
  for (const RideLine& ride : rideLines) {
    PlayAmbientLine(PlayerPedId(), ride.line, ride.lo, ride.hi);
    if (ride.waitAfterMs > 0) WaitAndWatchPlayer(ride.waitAfterMs);
  }
  camp.rideRemarksDone = true;
}

}  // namespace campfire
