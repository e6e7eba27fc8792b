#include "talk/conversation.h"

#include "game/invoke.h"
#include "game/natives.h"
#include "game/ownership.h"
#include "game/player_watch.h"
#include "game/wrappers.h"
#include "talk/conversation_speech.h"
#include "talk/prompts.h"

namespace campfire {

namespace {

bool PromptIsValid(EntityHandle prompt) { return Invoke<bool>(natives::PromptIsValid, prompt); }

// Each kept number is asked after every frame without a lock-on and forgotten once
// deleted, so that a number the game has since given to another script's prompt is never
// deleted or taken for the plugin's own.
void TearDown(const Conversation& conversation) {
  for (const PromptBlock& block : conversation.blocks) {
    EntityHandle& handle = conversation.prompts->*block.prompt.handle;
    if (PromptIsValid(handle)) Invoke(natives::PromptDelete, handle);
    handle = 0;
  }
}

std::int32_t ChooseVariation(const Variation& variation) {
  if (!variation.drawn) return variation.lo;
  return Invoke<std::int32_t>(natives::GetRandomIntInRange, variation.lo, variation.hi);
}

// The player's ped and the count of waits when it was read. Every wait inside an exchange
// reads the player's ped again (WaitAndWatchPlayer): a line after a wait takes that reading.
struct PlayerRead {
  EntityHandle ped;
  std::uint32_t at;

  EntityHandle Fresh() {
    if (at != WaitsSoFar()) {
      ped = LastSeenPlayerPed();
      at = WaitsSoFar();
    }
    return ped;
  }
};

// A prompt the game dropped while a line played is forgotten before its number can go to
// another script's prompt and be taken for the plugin's; it is made again after the
// exchange. A drop and a new prompt on the same number within one line go unseen: a prompt
// carries nothing else to tell it by.
void ForgetDroppedPrompts(ConversationPrompts& prompts) {
  for (EntityHandle* handle : {&prompts.talk, &prompts.guard, &prompts.goodbye, &prompts.hello}) {
    if (*handle != 0 && !PromptIsValid(*handle)) *handle = 0;
  }
}

// Each line comes after the wait for the one before: the companion is proved before it, and
// the exchange ends at the first line whose companion is not ours any more (forgotten). The
// player's ped is read again for a line after a wait. Returns whether the companion is
// still ours, proved since the last wait.
bool SpeakExchange(Exchange exchange, const Conversation& conversation, PlayerRead& player) {
  Companion& companion = *conversation.companion;
  // Proved by the lock-on just read, or at the end of the exchange before.
  std::uint32_t provedAt = WaitsSoFar();
  for (const ConversationLine& line : exchange) {
    if (provedAt != WaitsSoFar()) ForgetDroppedPrompts(*conversation.prompts);
    if (!StillOursSince(companion.ped, companion.model, provedAt)) return false;
    const EntityHandle speaker = line.speaker == Speaker::kPlayer ? player.Fresh() : companion.ped;
    const std::int32_t variation = ChooseVariation(line.variation);
    if (line.wait.waits) {
      SayLineAndWait(speaker, line.lineName, variation, line.wait.pollMs);
    } else {
      SpeakConversationLine(speaker, line.lineName, variation);
    }
  }
  return StillOursSince(companion.ped, companion.model, provedAt);
}

// False once the companion is found not ours: nothing more is done for it this frame.
bool RunPromptBlock(const Conversation& conversation, const PromptBlock& block, NameHash model,
                    EntityHandle target, PlayerRead& player) {
  if (model != GetHashKey(conversation.modelName)) return true;

  EntityHandle& handle = conversation.prompts->*block.prompt.handle;
  // The game may drop a prompt at any time; it is made again while the lock-on lasts.
  if (!PromptIsValid(handle)) {
    handle = CreateConversationPrompt(block.prompt.label, block.prompt.controlName, target);
  }
  // A number found invalid is forgotten: it may come to name another script's prompt.
  if (!PromptIsValid(handle)) {
    handle = 0;
    return true;
  }
  if (!Invoke<bool>(natives::PromptHasHoldModeCompleted, handle)) return true;

  // Disabled while the exchange plays so the hold cannot start it over.
  Invoke(natives::PromptSetEnabled, handle, false);
  Companion& companion = *conversation.companion;
  if (block.prompt.blocksEvents) {
    Invoke(natives::SetBlockingOfNonTemporaryEvents, companion.ped, true);
  }
  if (!SpeakExchange(block.exchange, conversation, player)) return false;
  Invoke(natives::SetBlockingOfNonTemporaryEvents, companion.ped, false);
  if (handle != 0 && PromptIsValid(handle)) {
    Invoke(natives::PromptSetEnabled, handle, true);
  } else {
    handle = 0;
  }
  return true;
}

}  // namespace

void UpdateConversation(const Conversation& conversation) {
  const auto player = Invoke<std::int32_t>(natives::PlayerId);
  const EntityHandle playerPed = PlayerPedId();

  if (!Invoke<bool>(natives::IsPlayerTargetingAnything, player)) {
    TearDown(conversation);
    return;
  }

  EntityHandle target = 0;
  Invoke(natives::GetPlayerTargetEntity, player, &target);
  const auto model = Invoke<NameHash>(natives::GetEntityModel, target);

  Companion& companion = *conversation.companion;
  const EntityHandle ped = companion.ped;
  if (target != ped || Invoke<bool>(natives::IsEntityDead, ped) ||
      Invoke<bool>(natives::IsPedDeadOrDying, ped, 1)) {
    TearDown(conversation);
    return;
  }
  // Its number may since have gone to another script's ped of the same model.
  if (model != companion.model || !BelongsToThisScript(ped)) {
    companion.ped = 0;
    TearDown(conversation);
    return;
  }

  Invoke(natives::TaskTurnPedToFaceEntity, ped, playerPed, 10000, 0, 0, 0);

  // A block after a played exchange is still looked at in this call; one before
  // it waits for the next frame.
  PlayerRead read{playerPed, WaitsSoFar()};
  for (const PromptBlock& block : conversation.blocks) {
    if (!RunPromptBlock(conversation, block, model, companion.ped, read)) return;
  }
}

void DeleteLeftoverPrompts(const ConversationPrompts& prompts) {
  for (EntityHandle prompt : {prompts.talk, prompts.guard, prompts.goodbye, prompts.hello}) {
    if (prompt != 0 && PromptIsValid(prompt)) Invoke(natives::PromptDelete, prompt);
  }
}

}  // namespace campfire
