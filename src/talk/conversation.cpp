#include "talk/conversation.h"

#include "game/invoke.h"
#include "game/natives.h"
#include "game/ownership.h"
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

void SpeakExchange(Exchange exchange, EntityHandle playerPed, EntityHandle companionPed) {
  for (const ConversationLine& line : exchange) {
    const EntityHandle speaker = line.speaker == Speaker::kPlayer ? playerPed : companionPed;
    const std::int32_t variation = ChooseVariation(line.variation);
    if (line.wait.waits) {
      SayLineAndWait(speaker, line.lineName, variation, line.wait.pollMs);
    } else {
      SpeakConversationLine(speaker, line.lineName, variation);
    }
  }
}

void RunPromptBlock(const Conversation& conversation, const PromptBlock& block, NameHash model,
                    EntityHandle target, EntityHandle playerPed) {
  if (model != GetHashKey(conversation.modelName)) return;

  EntityHandle& handle = conversation.prompts->*block.prompt.handle;
  // The game may drop a prompt at any time; it is made again while the lock-on lasts.
  if (!PromptIsValid(handle)) {
    handle = CreateConversationPrompt(block.prompt.label, block.prompt.controlName, target);
  }
  if (!PromptIsValid(handle)) return;
  if (!Invoke<bool>(natives::PromptHasHoldModeCompleted, handle)) return;

  // Disabled while the exchange plays so the hold cannot start it over.
  Invoke(natives::PromptSetEnabled, handle, false);
  if (block.prompt.blocksEvents) {
    Invoke(natives::SetBlockingOfNonTemporaryEvents, conversation.companion->ped, true);
  }
  SpeakExchange(block.exchange, playerPed, target);
  Invoke(natives::SetBlockingOfNonTemporaryEvents, conversation.companion->ped, false);
  Invoke(natives::PromptSetEnabled, handle, true);
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

  const EntityHandle ped = conversation.companion->ped;
  if (target != ped || Invoke<bool>(natives::IsEntityDead, ped) ||
      Invoke<bool>(natives::IsPedDeadOrDying, ped, 1)) {
    TearDown(conversation);
    return;
  }

  Invoke(natives::TaskTurnPedToFaceEntity, ped, playerPed, 10000, 0, 0, 0);

  // A block after a played exchange is still looked at in this call; one before
  // it waits for the next frame.
  for (const PromptBlock& block : conversation.blocks) {
    RunPromptBlock(conversation, block, model, target, playerPed);
  }
}

void DeleteLeftoverPrompts(const ConversationPrompts& prompts, const Companion& owner) {
  if (owner.ped == 0 || !IsStillOurs(owner.ped, owner.model)) return;
  for (EntityHandle prompt : {prompts.talk, prompts.guard, prompts.goodbye, prompts.hello}) {
    if (prompt != 0 && PromptIsValid(prompt)) Invoke(natives::PromptDelete, prompt);
  }
}

}  // namespace campfire
