// Streaming: models, prop sets and outfits load after a few polls, and requests are tracked
// so that a run can tell which were never released.
#include <algorithm>

#include "sim/world/natives.h"
#include "sim/world/world_state.h"

namespace sim {

namespace {

LoadRecord* FindLoad(std::vector<LoadRecord>& records, std::uint32_t hash) {
  for (LoadRecord& r : records) {
    if (r.hash == hash) return &r;
  }
  return nullptr;
}

void Request(std::vector<LoadRecord>& records, std::uint32_t hash) {
  LoadRecord* r = FindLoad(records, hash);
  if (r == nullptr) r = &records.emplace_back(LoadRecord{.hash = hash});
  if (r->requested) return;  // already on its way: a second request does not restart it
  r->requested = true;
  r->loaded = false;
  r->polls = 0;
}

// Polls are counted only after a request, and the poll that reaches the count answers true.
bool Poll(const WorldState& s, std::vector<LoadRecord>& records, std::uint32_t hash) {
  LoadRecord* r = FindLoad(records, hash);
  if (r == nullptr || !r->requested) return false;
  if (r->loaded) return true;
  if (NeverLoading(s, hash)) return false;
  r->loaded = ++r->polls >= s.settings.loadPolls;
  return r->loaded;
}

OutfitRequest* FindOutfitRequest(WorldState& s, std::int32_t id) {
  if (id <= 0 || static_cast<std::size_t>(id) > s.outfits.size()) return nullptr;
  return &s.outfits[static_cast<std::size_t>(id) - 1];
}

}  // namespace

bool ModelLoaded(const WorldState& s, std::uint32_t model) {
  for (const LoadRecord& r : s.models) {
    if (r.hash == model) return r.loaded;
  }
  return false;
}

bool NeverLoading(const WorldState& s, std::uint32_t hash) {
  return std::find(s.neverLoads.begin(), s.neverLoads.end(), hash) != s.neverLoads.end();
}

namespace natives {

void RequestModel(WorldState& s, NativeCall& call) { Request(s.models, call.Hash(0)); }

void HasModelLoaded(WorldState& s, NativeCall& call) {
  call.ReturnBool(Poll(s, s.models, call.Hash(0)));
}

// Releasing lets the game stream the model out: the next use needs a new request.
void SetModelAsNoLongerNeeded(WorldState& s, NativeCall& call) {
  LoadRecord* r = FindLoad(s.models, call.Hash(0));
  if (r == nullptr) return;
  r->requested = false;
  r->loaded = false;
  r->polls = 0;
}

void RequestPropset(WorldState& s, NativeCall& call) { Request(s.propsets, call.Hash(0)); }

void HasPropsetLoaded(WorldState& s, NativeCall& call) {
  call.ReturnBool(Poll(s, s.propsets, call.Hash(0)));
}

// As a model's release: true if a request was open. Prop sets already placed stay.
void ReleasePropset(WorldState& s, NativeCall& call) {
  LoadRecord* r = FindLoad(s.propsets, call.Hash(0));
  const bool open = r != nullptr && r->requested;
  if (open) {
    r->requested = false;
    r->loaded = false;
    r->polls = 0;
  }
  call.ReturnBool(open);
}

void RequestMetaPedOutfit(WorldState& s, NativeCall& call) {
  s.outfits.push_back(OutfitRequest{.model = call.Hash(0), .outfit = call.Hash(1)});
  call.ReturnInt(static_cast<std::int32_t>(s.outfits.size()));
}

void IsMetaPedOutfitRequestReady(WorldState& s, NativeCall& call) {
  OutfitRequest* r = FindOutfitRequest(s, call.Int(0));
  if (r == nullptr || r->released) {
    call.ReturnBool(false);
    return;
  }
  if (!r->ready && !NeverLoading(s, r->outfit)) r->ready = ++r->polls >= s.settings.loadPolls;
  call.ReturnBool(r->ready);
}

void ApplyPedMetaPedOutfit(WorldState& s, NativeCall& call) {
  OutfitRequest* r = FindOutfitRequest(s, call.Int(0));
  Entity* ped = FindPed(s, call.Handle(1));
  if (r == nullptr || r->released || !r->ready || ped == nullptr) return;
  ped->ped.outfit = r->outfit;
}

void ReleaseMetaPedOutfitRequest(WorldState& s, NativeCall& call) {
  OutfitRequest* r = FindOutfitRequest(s, call.Int(0));
  if (r != nullptr) r->released = true;
}

}  // namespace natives

void World::NeverLoads(std::uint32_t modelPropsetOrOutfitHash) {
  state_->neverLoads.push_back(modelPropsetOrOutfitHash);
}

std::vector<std::uint32_t> World::UnreleasedRequests() const {
  std::vector<std::uint32_t> unreleased;
  for (const LoadRecord& r : state_->models) {
    if (r.requested) unreleased.push_back(r.hash);
  }
  for (const OutfitRequest& r : state_->outfits) {
    if (!r.released) unreleased.push_back(r.outfit);
  }
  if (state_->settings.trackPropsetRequests) {
    for (const LoadRecord& r : state_->propsets) {
      if (r.requested) unreleased.push_back(r.hash);
    }
  }
  std::sort(unreleased.begin(), unreleased.end());
  return unreleased;
}

std::vector<std::uint32_t> World::RequestedPropsets() const {
  std::vector<std::uint32_t> requested;
  for (const LoadRecord& r : state_->propsets) requested.push_back(r.hash);
  return requested;
}

}  // namespace sim
