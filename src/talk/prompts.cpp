#include "talk/prompts.h"

#include "game/invoke.h"
#include "game/natives.h"
#include "game/wrappers.h"

namespace campfire {

namespace {

// The game renders only text it made itself; this wraps the label as such.
TextValue MakeLiteralText(const char* text) {
  return Invoke<TextValue>(natives::CreateVarString, 10, "LITERAL_STRING", text);
}

}  // namespace

EntityHandle CreateConversationPrompt(const char* label, const char* controlName,
                                      EntityHandle target) {
  const auto group = Invoke<std::int32_t>(natives::PromptGetGroupIdForTargetEntity, target);
  const auto prompt = Invoke<EntityHandle>(natives::PromptRegisterBegin);
  Invoke(natives::PromptSetGroup, prompt, group, 0);
  Invoke(natives::PromptSetOption, prompt, 0);
  Invoke(natives::PromptSetText, prompt, MakeLiteralText(label));
  Invoke(natives::PromptSetControlAction, prompt, GetHashKey(controlName));
  Invoke(natives::PromptSetPriority, prompt, 3);
  Invoke(natives::PromptSetHoldMode, prompt, 700);
  Invoke(natives::PromptSetEnabled, prompt, true);
  Invoke(natives::PromptSetVisible, prompt, 1);
  Invoke(natives::PromptRegisterEnd, prompt);
  return prompt;
}

}  // namespace campfire
