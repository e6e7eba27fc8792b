// Drives the world as the plugin would: slots filled as the plugin pushes them, the result
// read back from the call.
#pragma once

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>

#include "sim/host/native_signature.h"
#include "sim/world/world.h"

namespace sim::testing {

inline std::uint64_t Slot(std::int32_t v) { return static_cast<std::uint32_t>(v); }
inline std::uint64_t Slot(std::uint32_t v) { return v; }
inline std::uint64_t Slot(float v) { return std::bit_cast<std::uint32_t>(v); }
inline std::uint64_t Slot(std::uint64_t text) { return text; }
std::uint64_t Slot(double) = delete;  // the plugin pushes 32-bit floats only
template <class T>
std::uint64_t Slot(T* address) {
  return reinterpret_cast<std::uintptr_t>(address);
}

// The 64-byte request the speech native reads.
struct SpeechRecord {
  std::uint64_t slot[8] = {};
};

inline SpeechRecord MakeSpeech(const char* line, const char* second, std::int32_t variation,
                               std::uint32_t paramsHash = 0, std::int32_t option = 0) {
  SpeechRecord r;
  r.slot[0] = Slot(line);
  r.slot[1] = Slot(second);
  r.slot[2] = Slot(variation);
  r.slot[3] = Slot(paramsHash);
  r.slot[5] = r.slot[6] = r.slot[7] = Slot(option);
  return r;
}

class WorldDriver {
 public:
  explicit WorldDriver(const WorldSettings& settings = {}) : world(settings) {}

  template <class... Args>
  NativeCall Call(NativeId id, Args... args) {
    NativeCall call;
    call.sig = &SignatureOf(id);
    call.argc = static_cast<int>(sizeof...(args));
    EXPECT_EQ(call.argc, call.sig->argc) << call.sig->name;
    int i = 0;
    ((call.slot[i++] = Slot(args)), ...);
    world.Invoke(id, call);
    return call;
  }
  template <class... Args>
  std::int32_t Int(NativeId id, Args... args) {
    return static_cast<std::int32_t>(Call(id, args...).result[0]);
  }
  template <class... Args>
  bool Bool(NativeId id, Args... args) {
    return Call(id, args...).result[0] != 0;
  }
  template <class... Args>
  float Float(NativeId id, Args... args) {
    return std::bit_cast<float>(static_cast<std::uint32_t>(Call(id, args...).result[0]));
  }

  Vec3 Coords(Handle entity) {
    NativeCall c = Call(NativeId::GetEntityCoords, entity, 1, 0);
    auto f = [&](int i) { return std::bit_cast<float>(static_cast<std::uint32_t>(c.result[i])); };
    return Vec3{f(0), f(1), f(2)};
  }

  void Frames(int count) {
    for (int i = 0; i < count; ++i) world.AdvanceFrame();
  }

  // Requests and polls until loaded, as the plugin does; gives up after many polls.
  bool LoadModel(std::uint32_t model) {
    Call(NativeId::RequestModel, model, 1);
    for (int polls = 0; polls < 100; ++polls) {
      if (Bool(NativeId::HasModelLoaded, model)) return true;
      world.AdvanceFrame();
    }
    return false;
  }

  Handle SpawnPed(std::uint32_t model, Vec3 at, float heading = 0.0f) {
    LoadModel(model);
    return Int(NativeId::CreatePed, model, at.x, at.y, at.z, heading, 1, 1, 0, 0);
  }

  Handle SpawnVehicle(std::uint32_t model, Vec3 at) {
    LoadModel(model);
    return Int(NativeId::CreateVehicle, model, at.x, at.y, at.z, 0.0f, 1, 1, 0, 0);
  }

  World world;
};

inline constexpr std::uint32_t kCharles = 0x53DD98DFu;
inline constexpr std::uint32_t kWagon = 0x1000A001u;
inline constexpr Vec3 kCamp{-1650.0f, -1350.0f, 83.0f};

}  // namespace sim::testing
