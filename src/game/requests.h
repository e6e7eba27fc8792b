// Model, outfit and prop-set requests, each noted until it is released. The host may stop
// the script in the middle of a load; the record outlives the start, so that the next start
// releases what the stopped one had asked for.
#pragma once

#include <cstdint>

#include "game/types.h"

namespace campfire {

void RequestModel(NameHash model);
void ReleaseModel(NameHash model);

// Returns the request's number.
std::int32_t RequestOutfit(NameHash model, NameHash outfit);
void ReleaseOutfit(std::int32_t request);

void RequestPropset(NameHash propset);
void ReleasePropset(NameHash propset);

// What a stopped start left requested, released by the next start unless the game reloaded
// (which drops every request): the model and prop set when the player's ped is one the
// stopped start saw (names: releasing one the game no longer holds changes nothing); an
// outfit request, a number the game may have given out again, only in the world the stopped
// start left. Forgotten either way; costs no call when nothing was pending.
void ReleaseInterruptedRequests(bool samePlayer, bool sameWorld);

}  // namespace campfire
