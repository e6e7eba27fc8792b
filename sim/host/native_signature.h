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

// What a handle names. Peds, vehicles and objects are entities; prop sets, blips and
// prompts are not, and the natives of one kind do not know the others' handles.
enum HandleKind : std::uint8_t {
  kPedHandle = 1,
  kVehicleHandle = 2,
  kObjectHandle = 4,
  kPropSetHandle = 8,
  kBlipHandle = 16,
  kPromptHandle = 32,
  kEntityHandle = kPedHandle | kVehicleHandle | kObjectHandle,
};

// For a handle argument (by value or by address): the kinds its declaration takes, whether
// the native changes or removes what it names (rather than only asking about it), and
// whether it acts through the number (a task, speech, setup, prompt, blip, cargo, claim or
// removal), which a script should do only with a number it has proved since its last wait.
// Zero kinds: not a handle, or a variable the native only writes.
struct HandleUse {
  std::uint8_t kinds = 0;
  bool changes = false;
  bool acts = false;
};

// What a call proves about a number in the frame it is made: that the number is fresh.
enum class Proof : std::uint8_t {
  None,
  Made,    // the handle it returns was just made
  Read,    // the handle it returns, or writes into the caller's variable, was just read
  Exists,  // its first argument names a thing of its kind, when it answers true
  Model,   // its first argument's model was read
};

struct NativeSignature {
  NativeId id;
  const char* name;
  std::uint64_t hash;
  std::uint8_t argc;
  std::array<ArgKind, kMaxArgs> args;
  ResultKind result;
  std::array<HandleUse, kMaxArgs> handles;
  Proof proof = Proof::None;
};

// "a ped", "an entity", "a prop set", ... for the kinds a handle argument takes or names.
const char* HandleKindWords(std::uint8_t kinds);

// Indexed by NativeId.
std::span<const NativeSignature> NativeSignatures();
const NativeSignature& SignatureOf(NativeId id);
// nullptr for a hash the game does not know.
const NativeSignature* FindSignature(std::uint64_t hash);

}  // namespace sim
