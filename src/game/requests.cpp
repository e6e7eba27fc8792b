#include "game/requests.h"

#include "game/invoke.h"
#include "game/natives.h"

namespace campfire {

namespace {
// The script waits on one load at a time, but a model stays requested while its outfit or
// the wagon's cargo loads: one of each kind is enough.
NameHash pendingModel = 0;
std::int32_t pendingOutfit = 0;
NameHash pendingPropset = 0;
}  // namespace

void RequestModel(NameHash model) {
  pendingModel = model;
  Invoke(natives::RequestModel, model, 1);
}

void ReleaseModel(NameHash model) {
  Invoke(natives::SetModelAsNoLongerNeeded, model);
  if (pendingModel == model) pendingModel = 0;
}

std::int32_t RequestOutfit(NameHash model, NameHash outfit) {
  pendingOutfit = Invoke<std::int32_t>(natives::RequestMetaPedOutfit, model, outfit);
  return pendingOutfit;
}

void ReleaseOutfit(std::int32_t request) {
  Invoke(natives::ReleaseMetaPedOutfitRequest, request);
  if (pendingOutfit == request) pendingOutfit = 0;
}

void RequestPropset(NameHash propset) {
  pendingPropset = propset;
  Invoke(natives::RequestPropset, propset);
}

void ReleasePropset(NameHash propset) {
  Invoke<bool>(natives::ReleasePropsetRequest, propset);
  if (pendingPropset == propset) pendingPropset = 0;
}

void ReleaseInterruptedRequests(bool samePlayer, bool sameWorld) {
  if (pendingModel != 0 && samePlayer) ReleaseModel(pendingModel);
  if (pendingPropset != 0 && samePlayer) ReleasePropset(pendingPropset);
  if (pendingOutfit != 0 && sameWorld) ReleaseOutfit(pendingOutfit);
  pendingModel = 0;
  pendingPropset = 0;
  pendingOutfit = 0;
}

}  // namespace campfire
