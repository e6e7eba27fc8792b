// The one conversation engine and the tables it walks: per companion, four
// prompt blocks, each a prompt and the exchange its hold plays.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "companions/companion.h"
#include "game/types.h"

namespace campfire {

// Handles of one companion's four prompts.
struct ConversationPrompts {
  EntityHandle talk;
  EntityHandle guard;
  EntityHandle goodbye;
  EntityHandle hello;
};

enum class Speaker : std::uint8_t { kPlayer, kCompanion };

// Either a fixed number or drawn from [lo, hi) right before the line is spoken.
struct Variation {
  bool drawn;
  std::int32_t lo;
  std::int32_t hi;
};
constexpr Variation Fixed(std::int32_t value) { return {false, value, value + 1}; }
constexpr Variation Drawn(std::int32_t lo, std::int32_t hi) { return {true, lo, hi}; }

// How the exchange waits for a line to end before the next one.
struct LineWait {
  bool waits;
  std::uint32_t pollMs;
};
constexpr LineWait Poll(std::uint32_t ms) { return {true, ms}; }
inline constexpr LineWait kNoWait{false, 0};

struct ConversationLine {
  Speaker speaker;
  const char* lineName;
  Variation variation;
  LineWait wait;
};

using Exchange = std::span<const ConversationLine>;

// What a prompt is, whoever it belongs to.
struct PromptKind {
  EntityHandle ConversationPrompts::*handle;
  const char* label;
  const char* controlName;
  bool blocksEvents;  // keeps the companion from reacting to the world while it plays
};

// Labels and controls are the same for every companion; only "Talk" blocks events.
inline constexpr PromptKind kTalkPrompt{
    .handle = &ConversationPrompts::talk,
    .label = "Talk",
    .controlName = "INPUT_CONTEXT_A",
    .blocksEvents = true,
};
inline constexpr PromptKind kGuardPrompt{
    .handle = &ConversationPrompts::guard,
    .label = "Guard",
    .controlName = "INPUT_CONTEXT_Y",
    .blocksEvents = false,
};
inline constexpr PromptKind kGoodbyePrompt{
    .handle = &ConversationPrompts::goodbye,
    .label = "Goodbye",
    .controlName = "INPUT_INTERACT_LOCKON_STUDY_BINOCULARS",
    .blocksEvents = false,
};
inline constexpr PromptKind kHelloPrompt{
    .handle = &ConversationPrompts::hello,
    .label = "Hello",
    .controlName = "INPUT_CONTEXT_RT",
    .blocksEvents = false,
};

struct PromptBlock {
  PromptKind prompt;
  Exchange exchange;
};

// The blocks' order is also the order of creation, checks and deletion.
struct Conversation {
  Companion* companion;
  ConversationPrompts* prompts;
  const char* modelName;  // the targeted entity's model must hash to this
  std::array<PromptBlock, 4> blocks;
};

// One frame of a conversation; returns only after a confirmed exchange ends.
void UpdateConversation(const Conversation& conversation);

// After the script is started again, in the world the earlier start left: deletes each of
// these prompts still valid.
void DeleteLeftoverPrompts(const ConversationPrompts& prompts);

}  // namespace campfire
