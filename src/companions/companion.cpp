#include "companions/companion.h"

namespace campfire {

Companion charles;
Companion sadie;
Companion karen;
Companion abe;

}  // namespace campfire
