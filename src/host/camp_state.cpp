#include "host/camp_state.h"

namespace campfire {

CampState camp;

}  // namespace campfire
