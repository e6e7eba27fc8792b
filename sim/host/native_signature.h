// What the simulated host knows of each native: its hash, what is pushed, what it returns.
// Written from the natives' descriptions, independently of the plugin's own catalogue,
// so that a slip on either side shows up as a failed invocation.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "sim/host/native_id.h"

namespace sim {

enum class ArgKind : std::uint8_t {
  Int,         // signed 32-bit, zero-extended into the slot
  Bool,        // 0 or 1
  Float,       // 32-bit IEEE-754 pattern in the low half
  Hash,        // unsigned 32-bit hash
  Handle,      // 32-bit script handle
  String,      // address of a NUL-terminated text
  TextOrNull,  // address of a NUL-terminated text, or 0 for none
  HandleRef,   // address of the caller's handle variable
  Speech,      // address of a 64-byte speech request
  Text,        // 64-bit game text value, unchanged
};

enum class ResultKind : std::uint8_t { None, Int, Bool, Float, Hash, Handle, Text, Vector };

inline constexpr int kMaxArgs = 16;

struct NativeSignature {
  NativeId id;
  const char* name;
  std::uint64_t hash;
  std::uint8_t argc;
  std::array<ArgKind, kMaxArgs> args;
  ResultKind result;
};

// Indexed by NativeId.
std::span<const NativeSignature> NativeSignatures();
const NativeSignature& SignatureOf(NativeId id);
// nullptr for a hash the game does not know.
const NativeSignature* FindSignature(std::uint64_t hash);

}  // namespace sim
