// Prompts and the game text they show; a hold completes while the player holds the
// prompt's control on the entity whose group it is in.
#include <cstring>

#include "sim/world/natives.h"
#include "sim/world/world_state.h"

namespace sim {

namespace {

// Text values are tagged indexes into the world's texts, never addresses.
constexpr std::uint64_t kTextTag = 0x7E47000000000000ull;
constexpr std::uint64_t kTextTagMask = 0xFFFF000000000000ull;
// A target's prompt group is its handle with a tag, so groups and handles never meet.
constexpr std::int32_t kGroupTag = 0x20000000;

std::uint64_t TextValueOf(WorldState& s, const char* text) {
  std::size_t i = 0;
  while (i < s.texts.size() && s.texts[i] != text) ++i;
  if (i == s.texts.size()) s.texts.emplace_back(text);
  return kTextTag | i;
}

const std::string* TextOf(const WorldState& s, std::uint64_t value) {
  if ((value & kTextTagMask) != kTextTag) return nullptr;
  std::uint64_t i = value & ~kTextTagMask;
  return i < s.texts.size() ? &s.texts[i] : nullptr;
}

PromptInfo* FindPrompt(WorldState& s, Handle handle) { return FindByHandle(s.prompts, handle); }

void ClearHold(PromptInfo& p) {
  p.heldMs = 0;
  p.holdCompleted = false;
}

}  // namespace

std::int32_t PromptGroupOf(const WorldState& s, Handle entity) {
  return FindEntity(s, entity) != nullptr ? kGroupTag | entity : 0;
}

void AdvancePromptHolds(WorldState& s) {
  std::int32_t targetGroup = PromptGroupOf(s, LockOnTarget(s));
  for (PromptInfo& p : s.prompts) {
    const std::int32_t heldMs = HeldThisFrameMs(s, p.control);
    bool holding = p.registered && p.holdMode && p.enabled && p.visible && targetGroup != 0 &&
                   p.group == targetGroup && heldMs > 0;
    if (!holding) {
      ClearHold(p);
    } else if (!p.holdCompleted) {
      p.heldMs += heldMs;
      p.holdCompleted = p.heldMs >= p.holdMs;
    }
  }
}

void ClearHolds(WorldState& s, std::uint32_t control) {
  for (PromptInfo& p : s.prompts) {
    if (p.control == control) ClearHold(p);
  }
}

namespace natives {

// Only the literal-string form is known; anything else gives a value no prompt can show.
void CreateVarString(WorldState& s, NativeCall& call) {
  const char* kind = call.String(1);
  const char* text = call.String(2);
  bool literal = call.Int(0) == 10 && kind != nullptr && std::strcmp(kind, "LITERAL_STRING") == 0;
  call.ReturnText(literal && text != nullptr ? TextValueOf(s, text) : 0);
}

void PromptRegisterBegin(WorldState& s, NativeCall& call) {
  PromptInfo& p = InsertWithNewHandle(s, s.prompts);
  call.ReturnHandle(p.handle);
}

void PromptGetGroupIdForTargetEntity(WorldState& s, NativeCall& call) {
  call.ReturnInt(PromptGroupOf(s, call.Handle(0)));
}

void PromptSetGroup(WorldState& s, NativeCall& call) {
  if (PromptInfo* p = FindPrompt(s, call.Handle(0))) p->group = call.Int(1);
}

void PromptSetOption(WorldState& s, NativeCall& call) {
  if (PromptInfo* p = FindPrompt(s, call.Handle(0))) p->option = call.Int(1);
}

void PromptSetText(WorldState& s, NativeCall& call) {
  PromptInfo* p = FindPrompt(s, call.Handle(0));
  if (p == nullptr) return;
  const std::string* text = TextOf(s, call.Text(1));
  p->label = text != nullptr ? *text : std::string();
}

void PromptSetControlAction(WorldState& s, NativeCall& call) {
  if (PromptInfo* p = FindPrompt(s, call.Handle(0))) {
    p->control = call.Hash(1);
    ClearHold(*p);
  }
}

void PromptSetPriority(WorldState& s, NativeCall& call) {
  if (PromptInfo* p = FindPrompt(s, call.Handle(0))) p->priority = call.Int(1);
}

void PromptSetHoldMode(WorldState& s, NativeCall& call) {
  if (PromptInfo* p = FindPrompt(s, call.Handle(0))) {
    p->holdMode = true;
    p->holdMs = call.Int(1);
  }
}

void PromptSetEnabled(WorldState& s, NativeCall& call) {
  PromptInfo* p = FindPrompt(s, call.Handle(0));
  if (p == nullptr) return;
  p->enabled = call.Bool(1);
  if (!p->enabled) ClearHold(*p);
}

void PromptSetVisible(WorldState& s, NativeCall& call) {
  PromptInfo* p = FindPrompt(s, call.Handle(0));
  if (p == nullptr) return;
  p->visible = call.Int(1) != 0;
  if (!p->visible) ClearHold(*p);
}

void PromptRegisterEnd(WorldState& s, NativeCall& call) {
  if (PromptInfo* p = FindPrompt(s, call.Handle(0))) p->registered = true;
}

void PromptIsValid(WorldState& s, NativeCall& call) {
  const PromptInfo* p = FindPrompt(s, call.Handle(0));
  call.ReturnBool(p != nullptr && p->registered);
}

void PromptDelete(WorldState& s, NativeCall& call) { EraseByHandle(s, s.prompts, call.Handle(0)); }

void PromptHasHoldModeCompleted(WorldState& s, NativeCall& call) {
  const PromptInfo* p = FindPrompt(s, call.Handle(0));
  call.ReturnBool(p != nullptr && p->holdCompleted);
}

}  // namespace natives

void World::DropPrompt(Handle prompt) { EraseByHandle(*state_, state_->prompts, prompt); }

namespace {

Handle DropOnePrompt(WorldState& s) {
  std::vector<Handle> own;
  for (const PromptInfo& p : s.prompts) {
    if (!p.foreign) own.push_back(p.handle);
  }
  if (own.empty()) return 0;
  const Handle dropped = own[static_cast<std::size_t>(
      s.worldRandom.IntInRange(0, static_cast<std::int32_t>(own.size())))];
  EraseByHandle(s, s.prompts, dropped);
  return dropped;
}

}  // namespace

void DropPromptsOnTime(WorldState& s) {
  const std::int32_t every = s.settings.promptDropEveryMs;
  if (every <= 0) return;
  if (s.promptDropDueMs == 0) s.promptDropDueMs = every;
  if (s.elapsedMs < s.promptDropDueMs) return;
  s.promptDropDueMs = s.elapsedMs + every;
  DropOnePrompt(s);
}

Handle World::DropAPrompt() { return DropOnePrompt(*state_); }

std::vector<Handle> World::LivePrompts() const {
  std::vector<Handle> live;
  for (const PromptInfo& p : state_->prompts) live.push_back(p.handle);
  return live;
}

const PromptInfo* World::Prompt(Handle prompt) const {
  return FindByHandle(state_->prompts, prompt);
}

}  // namespace sim
