// The speech request record and the ambient requests made by routines and remarks.
#pragma once

#include <cstdint>

#include "game/types.h"

namespace campfire {

// 64 bytes, eight 8-byte slots; numbers sit in the low half of their slot.
struct SpeechRequest {
  const char* lineName;
  const char* secondName;
  alignas(8) std::int32_t variation;
  alignas(8) NameHash paramsHash;
  alignas(8) std::int32_t reserved;
  alignas(8) std::int32_t option1;
  alignas(8) std::int32_t option2;
  alignas(8) std::int32_t option3;
};
static_assert(sizeof(SpeechRequest) == 64);

// Speaks the line with a variation drawn from [lo, hi).
void PlayAmbientLine(EntityHandle ped, const char* lineName, std::int32_t lo, std::int32_t hi);

}  // namespace campfire
