// One invocation as the simulated game sees it: the pushed slots, read by kind, and the
// result area it fills.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

#include "sim/host/native_signature.h"

namespace sim {

struct Vec3 {
  float x;
  float y;
  float z;
};

// A speech request read out of the plugin's 64-byte record.
struct SpeechFields {
  const char* lineName;
  const char* secondName;
  std::int32_t variation;
  std::uint32_t paramsHash;
  std::int32_t reserved;
  std::int32_t option1;
  std::int32_t option2;
  std::int32_t option3;
};

inline SpeechFields ReadSpeechRecord(std::uint64_t address) {
  std::uint64_t slot[8];
  std::memcpy(slot, reinterpret_cast<const void*>(address), sizeof slot);
  auto low = [&](int i) { return static_cast<std::uint32_t>(slot[i]); };
  return SpeechFields{
      reinterpret_cast<const char*>(slot[0]), reinterpret_cast<const char*>(slot[1]),
      static_cast<std::int32_t>(low(2)),      low(3),
      static_cast<std::int32_t>(low(4)),      static_cast<std::int32_t>(low(5)),
      static_cast<std::int32_t>(low(6)),      static_cast<std::int32_t>(low(7))};
}

// What the game noticed about a call's handles: an argument that named a thing of a kind
// the native does not take (answered as if it named nothing), or another script's thing
// that the native changed.
struct HandleFinding {
  std::int8_t arg = -1;    // counted from 0; -1: nothing to note
  std::uint8_t named = 0;  // the HandleKind the number named
  bool foreign = false;    // another script's thing, of a kind the native takes
  // The argument whose number the script acted through with no proof since its last wait
  // (counted from 0; -1: none).
  std::int8_t held = -1;
  // DeleteEntity given an entity that was not the caller's mission entity, which it does
  // not remove: 1 another script's, 2 nobody's (0: not such a call).
  std::uint8_t unowned = 0;
};

struct NativeCall {
  const NativeSignature* sig = nullptr;
  int argc = 0;
  std::uint64_t slot[kMaxArgs] = {};
  // Three 8-byte slots: a number in the low half of the first, or a position's x, y, z.
  std::uint64_t result[3] = {};
  HandleFinding finding;

  std::int32_t Int(int i) const { return static_cast<std::int32_t>(Low(i)); }
  std::uint32_t Hash(int i) const { return Low(i); }
  std::int32_t Handle(int i) const { return static_cast<std::int32_t>(Low(i)); }
  bool Bool(int i) const { return Low(i) != 0; }
  float Float(int i) const { return std::bit_cast<float>(Low(i)); }
  const char* String(int i) const { return reinterpret_cast<const char*>(slot[i]); }
  std::int32_t* HandleRef(int i) const { return reinterpret_cast<std::int32_t*>(slot[i]); }
  SpeechFields Speech(int i) const { return ReadSpeechRecord(slot[i]); }
  std::uint64_t Text(int i) const { return slot[i]; }

  std::int32_t ResultHandle() const { return static_cast<std::int32_t>(result[0]); }

  void ReturnInt(std::int32_t v) { result[0] = static_cast<std::uint32_t>(v); }
  void ReturnHash(std::uint32_t v) { result[0] = v; }
  void ReturnHandle(std::int32_t v) { ReturnInt(v); }
  void ReturnBool(bool v) { result[0] = v ? 1u : 0u; }
  void ReturnFloat(float v) { result[0] = std::bit_cast<std::uint32_t>(v); }
  void ReturnText(std::uint64_t v) { result[0] = v; }
  void ReturnVector(Vec3 v) {
    result[0] = std::bit_cast<std::uint32_t>(v.x);
    result[1] = std::bit_cast<std::uint32_t>(v.y);
    result[2] = std::bit_cast<std::uint32_t>(v.z);
  }

 private:
  std::uint32_t Low(int i) const { return static_cast<std::uint32_t>(slot[i]); }
};

}  // namespace sim
