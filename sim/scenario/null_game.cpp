#include "sim/scenario/null_game.h"

namespace sim {

namespace {
// Long enough for every creation's pauses and loads, short of the first routine step, which
// comes a second after a companion is made.
constexpr int kSetupFrames = 20;
constexpr std::int32_t kSetupFrameMs = 33;
constexpr Vec3 kPlayerPosition{-1625.0f, -1390.0f, 82.0f};
}  // namespace

void NullGame::Invoke(NativeId id, NativeCall& call) {
  // The host has zeroed the result: false, 0 and no handle need no case.
  switch (id) {
    case NativeId::PlayerPedId:
      call.ReturnHandle(kPlayerPed);
      break;
    case NativeId::GetEntityCoords:
      call.ReturnVector(kPlayerPosition);
      break;
    case NativeId::GetDistanceBetweenCoords:
      call.ReturnFloat(kDistance);
      break;
    case NativeId::GetGameTimer:
      call.ReturnInt(clock_);
      break;
    case NativeId::GetRandomIntInRange:
      call.ReturnInt(call.Int(0));
      break;
    case NativeId::DoesEntityExist:
    case NativeId::DoesBlipExist:
    case NativeId::HasModelLoaded:
    case NativeId::HasPropsetLoaded:
    case NativeId::IsMetaPedOutfitRequestReady:
      call.ReturnBool(true);
      break;
    case NativeId::CreatePed:
    case NativeId::CreateVehicle:
    case NativeId::CreateObject:
    case NativeId::CreatePropset:
    case NativeId::BlipAddForEntity:
    case NativeId::PromptRegisterBegin:
      call.ReturnHandle(kHandle);
      break;
    case NativeId::RequestMetaPedOutfit:
      call.ReturnInt(1);
      break;
    default:
      break;
  }
}

NullRun::NullRun(const std::string& pluginPath) : host_(game_) {
  SetActiveHost(&host_);
  if (!library_.Load(pluginPath, error_)) return;
  if (!host_.Registered()) {
    error_ = "the plugin registered no script";
    return;
  }
  for (int i = 0; i < kSetupFrames && !host_.Failed(); ++i) {
    Frame();
    game_.Advance(kSetupFrameMs);
  }
}

NullRun::~NullRun() {
  library_.Unload();
  SetActiveHost(nullptr);
}

}  // namespace sim
