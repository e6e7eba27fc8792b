// The host's checks of a call's arguments against the native's signature, and the
// messages that say what is wrong: kept out of the path every sound call takes.
#include <string>

#include "sim/host/hex_text.h"
#include "sim/host/host.h"
#include "sim/host/readable_memory.h"

namespace sim {

namespace {

bool High32Clear(std::uint64_t slot) { return (slot >> 32) == 0; }

const char* KindWords(ArgKind kind) {
  switch (kind) {
    case ArgKind::Int:
      return "an integer";
    case ArgKind::Bool:
      return "a boolean";
    case ArgKind::Float:
      return "a float";
    case ArgKind::Hash:
      return "a hash";
    case ArgKind::Handle:
      return "a handle";
    case ArgKind::String:
      return "the address of a text";
    case ArgKind::TextOrNull:
      return "the address of a text or 0";
    case ArgKind::HandleRef:
      return "the address of a handle variable";
    case ArgKind::Speech:
      return "the address of a speech request";
    case ArgKind::Text:
      return "a game text";
  }
  return "a value";
}

// "slots 9 (a boolean), 10 (the address of a text or 0)...", counted from 1.
std::string UnpushedSlots(const NativeSignature& sig, int pushed) {
  std::string out = "slot";
  if (sig.argc - pushed > 1) out += 's';
  for (int i = pushed; i < sig.argc; ++i) {
    out += i == pushed ? " " : ", ";
    out += std::to_string(i + 1) + " (" + KindWords(sig.args[static_cast<std::size_t>(i)]) + ")";
  }
  return out + ", never pushed";
}

}  // namespace

bool Host::CheckArguments() {
  const NativeSignature& sig = *call_.sig;
  if (call_.argc != sig.argc) {
    // The game reads every slot it declares: one not pushed holds whatever an earlier call
    // left in the host's argument area.
    Fail(Where() + ": " + std::to_string(call_.argc) + " arguments pushed, " +
         std::to_string(sig.argc) + " expected; the game also reads " +
         UnpushedSlots(sig, call_.argc));
    Halt();
    return false;
  }
  for (int i = 0; i < call_.argc; ++i) {
    if (!ArgumentOk(i)) {
      RefuseArgument(i);
      Halt();
      return false;
    }
  }
  return true;
}

bool Host::ArgumentOk(int i) {
  const std::uint64_t slot = call_.slot[i];
  switch (call_.sig->args[static_cast<std::size_t>(i)]) {
    case ArgKind::Int:
    case ArgKind::Hash:
    case ArgKind::Handle:
    case ArgKind::Float:
      return High32Clear(slot);
    case ArgKind::Bool:
      return slot <= 1;
    case ArgKind::String:
      return ReadText(slot).ok;
    case ArgKind::TextOrNull:
      return slot == 0 || ReadText(slot).ok;
    case ArgKind::HandleRef:
      if (slot % alignof(std::int32_t) != 0 || !IsReadable(slot, sizeof(std::int32_t))) {
        return false;
      }
      refBefore_[i] = *reinterpret_cast<const std::int32_t*>(slot);
      return true;
    case ArgKind::Speech: {
      if (slot % 8 != 0 || !IsReadable(slot, 64)) return false;
      const auto* record = reinterpret_cast<const std::uint64_t*>(slot);
      return ReadText(record[0]).ok && ReadText(record[1]).ok;
    }
    case ArgKind::Text:
      return true;
  }
  return true;
}

bool Host::RefuseArgument(int i) {
  const std::uint64_t slot = call_.slot[i];
  const std::string arg = Where() + ": argument " + std::to_string(i + 1);
  switch (call_.sig->args[static_cast<std::size_t>(i)]) {
    case ArgKind::Int:
    case ArgKind::Hash:
    case ArgKind::Handle:
    case ArgKind::Float:
      Fail(arg + " is a 32-bit value pushed sign-extended or with a dirty high half (" + Hex(slot) +
           ")");
      break;
    case ArgKind::Bool:
      Fail(arg + " is a boolean but holds " + Hex(slot));
      break;
    case ArgKind::String:
    case ArgKind::TextOrNull:
      Fail(arg + " is not a valid text: " + ReadText(slot).problem);
      break;
    case ArgKind::HandleRef:
      Fail(arg + " is not the address of a handle variable (" + Hex(slot) + ")");
      break;
    case ArgKind::Speech: {
      if (slot % 8 != 0 || !IsReadable(slot, 64)) {
        Fail(arg + " is not the address of a 64-byte speech request (" + Hex(slot) + ")");
        break;
      }
      const auto* record = reinterpret_cast<const std::uint64_t*>(slot);
      const TextCheck line = ReadText(record[0]);
      const TextCheck second = ReadText(record[1]);
      Fail(arg + " is not laid out as a speech request of eight 8-byte slots: " +
           (line.ok ? "second name " : "line name ") + (line.ok ? second.problem : line.problem));
      break;
    }
    case ArgKind::Text:
      break;
  }
  return false;
}

}  // namespace sim
