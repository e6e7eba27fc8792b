// One native invocation: init with the hash, one 64-bit slot per argument, call,
// and read the result at once.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "game/host_interface.h"
#include "game/types.h"

namespace campfire {

namespace detail {

// 32-bit values go zero-extended so that -1 travels as 0x00000000FFFFFFFF.
inline std::uint64_t ToSlot(std::int32_t v) { return static_cast<std::uint32_t>(v); }
inline std::uint64_t ToSlot(std::uint32_t v) { return v; }
inline std::uint64_t ToSlot(bool v) { return v ? 1u : 0u; }
inline std::uint64_t ToSlot(float v) { return std::bit_cast<std::uint32_t>(v); }
inline std::uint64_t ToSlot(const char* text) { return reinterpret_cast<std::uintptr_t>(text); }
inline std::uint64_t ToSlot(TextValue v) { return v.bits; }
template <class T>
inline std::uint64_t ToSlot(T* record) {
  return reinterpret_cast<std::uintptr_t>(record);
}
// A double or a 64-bit integer would be pushed wrongly; refuse them at compile time.
std::uint64_t ToSlot(double) = delete;
std::uint64_t ToSlot(std::int64_t) = delete;
std::uint64_t ToSlot(std::uint64_t) = delete;

// What a call reads when the host hands back no result area (a host that does not know
// the hash): zeros, as many slots as the widest result, a position.
inline constexpr std::uint64_t kNoResultArea[3] = {};

template <class R>
R FromArea(const std::uint64_t* area) {
  if (area == nullptr) area = kNoResultArea;
  if constexpr (std::is_same_v<R, bool>) {
    return static_cast<std::uint32_t>(area[0]) != 0;
  } else if constexpr (std::is_same_v<R, std::int32_t> || std::is_same_v<R, std::uint32_t>) {
    return static_cast<R>(static_cast<std::uint32_t>(area[0]));
  } else if constexpr (std::is_same_v<R, float>) {
    return std::bit_cast<float>(static_cast<std::uint32_t>(area[0]));
  } else if constexpr (std::is_same_v<R, TextValue>) {
    return TextValue{area[0]};
  } else {
    static_assert(std::is_same_v<R, Vector3>, "unsupported native result type");
    Vector3 v;
    std::memcpy(&v, area, sizeof v);
    return v;
  }
}

}  // namespace detail

template <class R = void, class... Args>
inline R Invoke(NativeHash hash, Args... args) {
  nativeInit(hash);
  (nativePush64(detail::ToSlot(args)), ...);
  const std::uint64_t* area = nativeCall();
  if constexpr (std::is_void_v<R>) {
    (void)area;
  } else {
    return detail::FromArea<R>(area);
  }
}

}  // namespace campfire
