#include "fuzz/fuzz_game.h"

#include <array>
#include <bit>
#include <cmath>
#include <limits>

#include "sim/scenario/camp_places.h"
#include "sim/world/world.h"

namespace campfire_fuzz {

namespace {

using sim::NativeId;

constexpr std::size_t kHandlesKept = 64;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

// The thresholds the plugin measures against, each side of them, and what no distance is.
constexpr std::array<float, 22> kDistances{0.0f,
                                           10.0f,
                                           49.99f,
                                           50.0f,
                                           50.01f,
                                           150.0f,
                                           199.99f,
                                           200.0f,
                                           200.01f,
                                           225.0f,
                                           249.99f,
                                           250.0f,
                                           250.01f,
                                           924.0f,
                                           3445.0f,
                                           -1.0f,
                                           kNaN,
                                           kInf,
                                           -kInf,
                                           std::numeric_limits<float>::max(),
                                           std::numeric_limits<float>::denorm_min(),
                                           -0.0f};

constexpr std::array<sim::Vec3, 11> kPlaces{sim::Vec3{-1630.0f, -1380.0f, 83.0f},
                                            sim::places::kCharlesHome,
                                            sim::places::kSadieHome,
                                            sim::places::kKarenHome,
                                            sim::places::kAbeHome,
                                            sim::places::kPropsCentre,
                                            sim::places::kTentCentre,
                                            sim::places::kWagonSpot,
                                            sim::places::kFence,
                                            sim::Vec3{-1000.0f, -1000.0f, 80.0f},
                                            sim::Vec3{0.0f, 0.0f, 0.0f}};

// Clock steps between frames: mostly a frame, sometimes the edges of the plugin's delays,
// sometimes half the clock's range or a step back.
constexpr std::array<std::uint32_t, 17> kClockSteps{
    0,    1,     16,    100,   500,    999,         1000,        4999,       5000,
    9999, 10000, 10001, 60000, 180000, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu};

// The models the conversations look for, so that a target can pass their test.
const std::array<std::uint32_t, 4> kModels{sim::JoaatHash("cs_charlessmith"),
                                           sim::JoaatHash("cs_mrsadler"),
                                           sim::JoaatHash("cs_karen"), 0xA8B1C9F7u};

template <class T, std::size_t N>
const T& Pick(const std::array<T, N>& from, std::uint8_t b) {
  return from[b % N];
}

float Between(const sim::NativeCall& call) {
  const double dx = static_cast<double>(call.Float(0)) - call.Float(3);
  const double dy = static_cast<double>(call.Float(1)) - call.Float(4);
  const double dz = static_cast<double>(call.Float(2)) - call.Float(5);
  return static_cast<float>(std::sqrt(dx * dx + dy * dy + dz * dz));
}

}  // namespace

FuzzGame::FuzzGame(const std::uint8_t* data, std::size_t size) : bytes_(data, size) {
  clock_ = bytes_.Word();
  handedOut_.reserve(kHandlesKept);
  kinds_[player_] = sim::kPedHandle;
}

void FuzzGame::AdvanceFrame() {
  const std::uint8_t b = bytes_.Byte();
  if (b < 160) {
    clock_ += 33;
  } else if (b == 249) {
    // A reload: every handle from before is gone and the player has a new ped.
    clock_ += 33;
    restart_ = bytes_.Byte() % 2 == 0 ? Restart::Reload : Restart::KeepWorld;
    if (restart_ == Restart::Reload) {
      handedOut_.clear();
      kinds_.clear();
      player_ = Fresh(sim::kPedHandle);
    }
  } else if (b < 250) {
    clock_ += Pick(kClockSteps, b);
  } else {
    clock_ += bytes_.Word();
  }
}

FuzzGame::Restart FuzzGame::TakeRestart() {
  const Restart r = restart_;
  restart_ = Restart::None;
  return r;
}

// Any shape a boolean result could take: the plugin must read only the low 32 bits.
std::uint64_t FuzzGame::Truth() {
  const std::uint8_t b = bytes_.Byte();
  if (b < 112) return 0;
  if (b < 224) return 1;
  switch (b % 4) {
    case 0:
      return 0xFFFFFFFFull;
    case 1:
      return 0x100000000ull;  // false: only the high half is set
    case 2:
      return 2;
    default:
      return bytes_.Wide();
  }
}

std::int32_t FuzzGame::Fresh(std::uint8_t kind) {
  while (kinds_.contains(next_)) ++next_;  // a made-up number may have taken it
  const std::int32_t h = next_++;
  if (handedOut_.size() == kHandlesKept) handedOut_.erase(handedOut_.begin());
  handedOut_.push_back(h);
  // Asked for any entity (a lock-on target), the game names a ped.
  if (kind != 0) kinds_[h] = kind == sim::kEntityHandle ? std::uint8_t{sim::kPedHandle} : kind;
  return h;
}

// A number is named again only as what it was handed out as: a game that gave one number
// to two kinds of thing at once would leave a plugin no way to be right.
std::int32_t FuzzGame::Handle(std::uint8_t kind) {
  const std::uint8_t b = bytes_.Byte();
  if (b < 96) return Fresh(kind);
  if (b < 192 && !handedOut_.empty()) {
    const std::int32_t h = handedOut_[b % handedOut_.size()];
    const auto it = kinds_.find(h);
    const std::uint8_t was = it != kinds_.end() ? it->second : 0;
    return kind == 0 || (was & kind) != 0 ? h : Fresh(kind);
  }
  switch (b % 5) {
    case 0:
      return 0;
    case 1:
      return kind == sim::kPedHandle || kind == sim::kEntityHandle ? player_ : 0;
    case 2:
      return -1;
    default: {
      // A made-up number, unless it names a thing of another kind already; from now on it
      // names one of this kind.
      const auto h = static_cast<std::int32_t>(bytes_.Word());
      if (kind == 0 || h == 0 || h == -1) return h;
      const auto it = kinds_.find(h);
      if (it != kinds_.end()) return (it->second & kind) != 0 ? h : Fresh(kind);
      kinds_[h] = kind == sim::kEntityHandle ? std::uint8_t{sim::kPedHandle} : kind;
      return h;
    }
  }
}

void FuzzGame::CheckKinds(const sim::NativeCall& call) {
  if (!mismatch_.empty()) return;
  for (int i = 0; i < call.argc; ++i) {
    const sim::HandleUse use = call.sig->handles[static_cast<std::size_t>(i)];
    if (use.kinds == 0) continue;
    const std::int32_t h = call.sig->args[static_cast<std::size_t>(i)] == sim::ArgKind::HandleRef
                               ? *call.HandleRef(i)
                               : call.Handle(i);
    const auto it = kinds_.find(h);
    if (it == kinds_.end() || (it->second & use.kinds) != 0) continue;
    mismatch_ = std::string(call.sig->name) + " given " + sim::HandleKindWords(it->second) + " (" +
                std::to_string(h) + ") as argument " + std::to_string(i + 1) + ", which takes " +
                sim::HandleKindWords(use.kinds);
    return;
  }
}

std::int32_t FuzzGame::Random(std::int32_t lo, std::int32_t hi) {
  const std::uint8_t b = bytes_.Byte();
  const auto span = static_cast<std::uint32_t>(hi) - static_cast<std::uint32_t>(lo);
  if (b < 192 && hi > lo) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(lo) + b % span);
  }
  switch (b % 8) {
    case 0:
      return hi;
    case 1:
      return static_cast<std::int32_t>(static_cast<std::uint32_t>(lo) - 1u);
    case 2:
      return std::numeric_limits<std::int32_t>::min();
    case 3:
      return std::numeric_limits<std::int32_t>::max();
    case 4:
      return 0;
    case 5:
      return static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(hi));
    default:
      return static_cast<std::int32_t>(bytes_.Word());
  }
}

float FuzzGame::AnyFloat() { return std::bit_cast<float>(bytes_.Word()); }

float FuzzGame::Distance(const sim::NativeCall& call) {
  const std::uint8_t b = bytes_.Byte();
  if (b < 64) return Between(call);
  if (b < 248) return Pick(kDistances, b);
  return AnyFloat();
}

sim::Vec3 FuzzGame::Position() {
  const std::uint8_t b = bytes_.Byte();
  if (b < 240) return Pick(kPlaces, b);
  return {AnyFloat(), AnyFloat(), AnyFloat()};
}

// What the game writes into a handle variable passed by address: a removal clears it
// (or, misbehaving, leaves or scrambles it); the target query names anything.
void FuzzGame::WriteBack(const sim::NativeCall& call, int arg, bool removal) {
  std::int32_t* variable = call.HandleRef(arg);
  if (!removal) {
    *variable = Handle(sim::kEntityHandle);
    return;
  }
  const std::uint8_t b = bytes_.Byte();
  if (b < 200) {
    *variable = 0;
  } else if (b >= 228) {
    const auto it = kinds_.find(*variable);
    *variable = Handle(it != kinds_.end() ? it->second : 0);
  }
}

void FuzzGame::Invoke(NativeId id, sim::NativeCall& call) {
  CheckKinds(call);
  switch (id) {
    case NativeId::PlayerPedId:
      if (bytes_.Byte() >= 248) player_ = Fresh(sim::kPedHandle);
      call.ReturnHandle(player_);
      break;
    case NativeId::PlayerId:
      call.ReturnInt(bytes_.Byte() < 240 ? 0 : static_cast<std::int32_t>(bytes_.Word()));
      break;
    case NativeId::GetGameTimer:
      call.ReturnInt(Clock());
      break;
    case NativeId::GetEntityCoords:
      call.ReturnVector(Position());
      break;
    case NativeId::GetDistanceBetweenCoords:
      call.ReturnFloat(Distance(call));
      break;
    case NativeId::GetRandomIntInRange:
      call.ReturnInt(Random(call.Int(0), call.Int(1)));
      break;
    case NativeId::GetHashKey:
      call.ReturnHash(bytes_.Byte() < 232 ? sim::JoaatHash(call.String(0)) : bytes_.Word());
      break;
    case NativeId::GetEntityModel: {
      const std::uint8_t b = bytes_.Byte();
      call.ReturnHash(b < 224 ? Pick(kModels, b) : bytes_.Word());
      break;
    }
    case NativeId::GetPropSetModel:
      call.ReturnHash(bytes_.Byte() < 224 ? sim::JoaatHash(sim::places::kTentPropset)
                                          : bytes_.Word());
      break;
    case NativeId::DoesEntityExist:
    case NativeId::DoesPropSetExist:
    case NativeId::DoesBlipExist:
    case NativeId::HasModelLoaded:
    case NativeId::HasPropsetLoaded:
    case NativeId::IsAmbientSpeechPlaying:
    case NativeId::IsEntityAtCoord:
    case NativeId::IsEntityDead:
    case NativeId::IsMetaPedOutfitRequestReady:
    case NativeId::IsPedDeadOrDying:
    case NativeId::IsPedInVehicle:
    case NativeId::IsPedUsingAnyScenario:
    case NativeId::IsPlayerTargetingAnything:
    case NativeId::PromptHasHoldModeCompleted:
    case NativeId::PromptIsValid:
      call.result[0] = Truth();
      break;
    case NativeId::CreatePed:
      call.ReturnHandle(Handle(sim::kPedHandle));
      break;
    case NativeId::CreateVehicle:
      call.ReturnHandle(Handle(sim::kVehicleHandle));
      break;
    case NativeId::CreateObject:
      call.ReturnHandle(Handle(sim::kObjectHandle));
      break;
    case NativeId::CreatePropset:
      call.ReturnHandle(Handle(sim::kPropSetHandle));
      break;
    case NativeId::BlipAddForEntity:
      call.ReturnHandle(Handle(sim::kBlipHandle));
      break;
    case NativeId::PromptRegisterBegin:
      call.ReturnHandle(Handle(sim::kPromptHandle));
      break;
    case NativeId::RequestMetaPedOutfit:
      call.ReturnHandle(Handle(0));
      break;
    case NativeId::PromptGetGroupIdForTargetEntity:
    case NativeId::GetPedRelationshipGroupHash:
      call.ReturnInt(static_cast<std::int32_t>(bytes_.Word()));
      break;
    case NativeId::CreateVarString:
      call.ReturnText(bytes_.Wide());
      break;
    case NativeId::GetPlayerTargetEntity:
      WriteBack(call, 1, false);
      break;
    case NativeId::DeleteEntity:
    case NativeId::DeleteVehicle:
    case NativeId::DismissPed:
    case NativeId::RemoveBlip:
      WriteBack(call, 0, true);
      break;
    default:
      break;  // results the plugin does not read stay zero
  }
}

}  // namespace campfire_fuzz
