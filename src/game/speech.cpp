#include "game/speech.h"

#include "game/invoke.h"
#include "game/natives.h"
#include "game/wrappers.h"

namespace campfire {

void PlayAmbientLine(EntityHandle ped, const char* lineName, std::int32_t lo, std::int32_t hi) {
  const auto variation = Invoke<std::int32_t>(natives::GetRandomIntInRange, lo, hi);
  // Slots are zeroed whole so the high halves carry nothing stray to the game.
  SpeechRequest request{};
  request.lineName = lineName;
  request.secondName = "";
  request.variation = variation;
  Invoke(natives::PlayPedAmbientSpeechNative, ped, &request);
}

}  // namespace campfire
