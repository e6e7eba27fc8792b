// Prompts and exchanges while the player locks on to Charles, Sadie or Karen.
#pragma once

namespace campfire {

// Each returns only after a confirmed exchange has been spoken to its end.
void UpdateCharlesConversation();
void UpdateSadieConversation();
void UpdateKarenConversation();

}  // namespace campfire
