// Numbers held across a wait. A wait hands the frame to the game and to other scripts;
// after it, a number kept from before may name nothing, or something else. A call that acts
// through a number is noted unless the number was proved since the script's last wait.
#include <algorithm>

#include "sim/world/world_state.h"

namespace sim {

namespace {

bool Proved(const WorldState& s, Handle handle) {
  return std::find(s.proved.begin(), s.proved.end(), handle) != s.proved.end();
}

void Prove(WorldState& s, Handle handle) {
  if (handle != 0 && !Proved(s, handle)) s.proved.push_back(handle);
}

Handle HandleArg(const NativeCall& call, int i) {
  if (call.sig->args[static_cast<std::size_t>(i)] != ArgKind::HandleRef) return call.Handle(i);
  const std::int32_t* ref = call.HandleRef(i);
  return ref != nullptr ? *ref : 0;
}

}  // namespace

void CheckHeld(WorldState& s, NativeCall& call) {
  const NativeSignature* sig = call.sig;
  for (int i = 0; i < call.argc; ++i) {
    if (!sig->handles[static_cast<std::size_t>(i)].acts) continue;
    const Handle handle = HandleArg(call, i);
    if (handle == 0 || Proved(s, handle)) continue;
    // One note per call, for its first held number.
    call.finding.held = static_cast<std::int8_t>(i);
    ++s.heldCount;
    ++s.heldByNative[static_cast<std::size_t>(sig->id)];
    if (s.held.size() < World::kHeldCallsKept) {
      s.held.push_back(HeldCall{static_cast<std::int32_t>(s.clock), sig->id, i, handle});
    }
    return;
  }
}

void NoteProofs(WorldState& s, const NativeCall& call) {
  const NativeSignature* sig = call.sig;
  switch (sig->proof) {
    case Proof::None:
      return;
    case Proof::Made:
      return Prove(s, call.ResultHandle());
    case Proof::Read:
      if (sig->result == ResultKind::Handle) return Prove(s, call.ResultHandle());
      for (int i = 0; i < call.argc; ++i) {
        if (sig->args[static_cast<std::size_t>(i)] == ArgKind::HandleRef) {
          Prove(s, HandleArg(call, i));
        }
      }
      return;
    case Proof::Exists:
      if (call.result[0] != 0) Prove(s, call.Handle(0));
      return;
    case Proof::Model:
      return Prove(s, call.Handle(0));
  }
}

// --- what tests and campsim read ---

std::uint64_t World::HeldAcrossWaitCount() const { return state_->heldCount; }

const std::vector<HeldCall>& World::HeldAcrossWait() const { return state_->held; }

std::vector<std::uint64_t> World::HeldAcrossWaitByNative() const {
  return {state_->heldByNative.begin(), state_->heldByNative.end()};
}

}  // namespace sim
