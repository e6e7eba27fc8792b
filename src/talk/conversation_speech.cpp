#include "talk/conversation_speech.h"

#include "game/game_clock.h"
#include "game/invoke.h"
#include "game/natives.h"
#include "game/player_watch.h"
#include "game/speech.h"
#include "game/wrappers.h"

namespace campfire {

void SpeakConversationLine(EntityHandle speaker, const char* lineName, std::int32_t variation) {
  // Slots are zeroed whole so the high halves carry nothing stray to the game.
  SpeechRequest request{};
  request.lineName = lineName;
  request.secondName = "";  // the game reads it, so never null
  request.variation = variation;
  request.paramsHash = GetHashKey("SPEECH_PARAMS_BEAT_SPOKEN_CLEAR");
  request.reserved = 0;
  request.option1 = 1;
  request.option2 = 1;
  request.option3 = 1;
  Invoke(natives::PlayPedAmbientSpeechNative, speaker, &request);
}

void SayLineAndWait(EntityHandle speaker, const char* lineName, std::int32_t variation,
                    std::uint32_t pollMs) {
  SpeakConversationLine(speaker, lineName, variation);
  // A line that never started answers false at once and costs no frame.
  if (!Invoke<bool>(natives::IsAmbientSpeechPlaying, speaker)) return;
  // One that never ends is given up on, like a load that never finishes.
  const std::int32_t start = GetGameTimer();
  do {
    WaitAndWatchPlayer(pollMs);
  } while (Invoke<bool>(natives::IsAmbientSpeechPlaying, speaker) &&
           ClockElapsed(GetGameTimer(), start) < kLineTimeoutMs);
}

}  // namespace campfire
