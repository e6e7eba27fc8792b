// What the plugin's invocation helper puts on the wire, and what the host refuses.
#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <string>

#include "game/invoke.h"
#include "game/natives.h"
#include "game/speech.h"
#include "game/wrappers.h"
#include "support/script_harness.h"

namespace {

using campfire::Invoke;
namespace natives = campfire::natives;
using campfire_test::ScriptHarness;
using sim::NativeId;

std::uint64_t FloatSlot(float f) { return std::bit_cast<std::uint32_t>(f); }

TEST(Invocation, PacksEveryArgumentKindInOneSlot) {
  static campfire::EntityHandle handle = 0;
  ScriptHarness harness([] {
    campfire::TaskGoStraightToCoord(7, -1.5f, 2.25f, 3.0f, 2.0f);
    campfire::GetHashKey("AMMO_RIFLE");
    handle = 42;
    Invoke(natives::DeleteEntity, &handle);
    Invoke(natives::SetBlockingOfNonTemporaryEvents, 7, true);
    Invoke(natives::GetRandomIntInRange, -5, -1);
  });
  harness.RunFrames(1);
  ASSERT_FALSE(harness.host().Failed()) << harness.host().Error();

  const auto& events = harness.recorder().Events();
  ASSERT_GE(events.size(), 5u);
  const auto& walk = events[0];
  EXPECT_EQ(walk.id, NativeId::TaskGoStraightToCoord);
  // Every slot the game reads is pushed, the unused ones as zero.
  ASSERT_EQ(walk.args.size(), 13u);
  for (std::size_t i = 7; i < 13; ++i) EXPECT_EQ(walk.args[i].raw, 0u) << "slot " << i + 1;
  EXPECT_EQ(walk.args[0].raw, 7u);
  EXPECT_EQ(walk.args[1].raw, FloatSlot(-1.5f));
  EXPECT_EQ(walk.args[4].raw, FloatSlot(1.0f));
  // -1 travels zero-extended, never sign-extended.
  EXPECT_EQ(walk.args[5].raw, 0x00000000FFFFFFFFull);
  EXPECT_EQ(walk.args[6].raw, FloatSlot(2.0f));

  EXPECT_EQ(events[1].args[0].s, "AMMO_RIFLE");
  EXPECT_EQ(events[1].ResultInt(), static_cast<std::int32_t>(sim::JoaatHash("AMMO_RIFLE")));

  EXPECT_EQ(events[2].args[0].raw, reinterpret_cast<std::uintptr_t>(&handle));
  EXPECT_EQ(events[2].args[0].i, 42) << "the variable's value when the call was made";

  EXPECT_EQ(events[3].args[1].raw, 1u);
  EXPECT_EQ(events[4].args[0].raw, 0x00000000FFFFFFFBull);
  EXPECT_EQ(events[4].args[1].raw, 0x00000000FFFFFFFFull);
}

TEST(Invocation, ReadsIntegerFloatAndPositionResults) {
  static campfire::Vector3 position{};
  static std::int32_t clock = 0;
  static float distance = 0.0f;
  ScriptHarness harness([] {
    position = campfire::GetEntityCoords(campfire::PlayerPedId());
    clock = campfire::GetGameTimer();
    distance = campfire::GetDistanceBetweenCoords({0.0f, 0.0f, 0.0f}, {3.0f, 4.0f, 0.0f});
  });
  harness.RunFrames(1);
  ASSERT_FALSE(harness.host().Failed()) << harness.host().Error();
  const sim::Vec3 player = harness.world().Settings().playerStart;
  EXPECT_EQ(position.x, player.x);
  EXPECT_EQ(position.y, player.y);
  EXPECT_EQ(position.z, player.z);
  EXPECT_EQ(clock, harness.world().Settings().startClock);
  EXPECT_FLOAT_EQ(distance, 5.0f);
}

// A host that does not know a hash hands back no result area: every kind of result reads as
// zero (a ped that does not exist, no handle, no distance, the origin, no text).
TEST(Invocation, ReadsZerosWhenTheHostHandsBackNoResultArea) {
  static bool exists = true;
  static campfire::EntityHandle player = -1;
  static float distance = -1.0f;
  static campfire::Vector3 position{1.0f, 2.0f, 3.0f};
  static campfire::TextValue text{~0ull};
  // With a result area each of these would be non-zero.
  static campfire::EntityHandle someone = 0;
  ScriptHarness harness([] {
    player = campfire::PlayerPedId();
    exists = Invoke<bool>(natives::DoesEntityExist, someone);
    distance = campfire::GetDistanceBetweenCoords({0.0f, 0.0f, 0.0f}, {3.0f, 4.0f, 0.0f});
    position = campfire::GetEntityCoords(someone);
    text = Invoke<campfire::TextValue>(natives::CreateVarString, 10, "LITERAL_STRING", "Talk");
  });
  someone = static_cast<campfire::EntityHandle>(harness.world().PlayerPed());
  for (NativeId id :
       {NativeId::PlayerPedId, NativeId::DoesEntityExist, NativeId::GetDistanceBetweenCoords,
        NativeId::GetEntityCoords, NativeId::CreateVarString}) {
    harness.host().WithoutResultArea(id);
  }
  harness.RunFrames(1);
  ASSERT_FALSE(harness.host().Failed()) << harness.host().Error();
  EXPECT_EQ(harness.recorder().Calls(NativeId::CreateVarString).size(), 1u) << "all five were made";
  EXPECT_EQ(player, 0);
  EXPECT_FALSE(exists);
  EXPECT_EQ(distance, 0.0f);
  EXPECT_EQ(position.x, 0.0f);
  EXPECT_EQ(position.y, 0.0f);
  EXPECT_EQ(position.z, 0.0f);
  EXPECT_EQ(text.bits, 0u);
}

TEST(Invocation, SpeechRequestGoesByAddressAsEightSlots) {
  ScriptHarness harness([] {
    campfire::SpeechRequest request{};
    request.lineName = "SPOT_RABBIT";
    request.secondName = "";
    request.variation = 2;
    Invoke(natives::PlayPedAmbientSpeechNative, 9, &request);
  });
  harness.RunFrames(1);
  ASSERT_FALSE(harness.host().Failed()) << harness.host().Error();
  const auto speech = harness.recorder().Calls(NativeId::PlayPedAmbientSpeechNative);
  ASSERT_EQ(speech.size(), 1u);
  const auto& request = speech[0]->args[1];
  EXPECT_EQ(request.lineName, "SPOT_RABBIT");
  EXPECT_EQ(request.secondName, "");
  EXPECT_EQ(request.speech.variation, 2);
  EXPECT_EQ(request.speech.paramsHash, 0u);
  EXPECT_EQ(request.speech.option1 + request.speech.option2 + request.speech.option3, 0);
}

// --- malformed invocations end the run with the native's name ---

void ExpectFailure(void (*script)(), const std::string& native, const std::string& what) {
  static void (*body)() = nullptr;
  body = script;
  ScriptHarness harness([] { body(); });
  harness.RunFrames(2);
  ASSERT_TRUE(harness.host().Failed());
  EXPECT_NE(harness.host().Error().find(native), std::string::npos) << harness.host().Error();
  EXPECT_NE(harness.host().Error().find(what), std::string::npos) << harness.host().Error();
  EXPECT_NE(harness.host().Error().find("frame 1"), std::string::npos) << harness.host().Error();
}

TEST(MalformedInvocation, SignExtendedIntegerIsRefused) {
  ExpectFailure(
      [] {
        nativeInit(natives::GetRandomIntInRange);
        nativePush64(0xFFFFFFFFFFFFFFFFull);
        nativePush64(3);
        nativeCall();
      },
      "GetRandomIntInRange", "sign-extended");
}

TEST(MalformedInvocation, WrongArgumentCountIsRefused) {
  ExpectFailure([] { Invoke(natives::CreatePed, 1u, 0.0f, 0.0f, 0.0f, 0.0f, 1, 1, 0); },
                "CreatePed", "8 arguments pushed, 9 expected");
  ExpectFailure([] { Invoke(natives::PlayerPedId, 1); }, "PlayerPedId", "more than 0");
}

// The scenario and straight-walk calls as the plugin used to push them: the game reads four
// and three slots more, which would hold whatever an earlier call left behind.
TEST(MalformedInvocation, SlotsTheGameReadsButNobodyPushedAreNamed) {
  ExpectFailure(
      [] {
        Invoke(natives::TaskStartScenarioAtPosition, 1000, 0x1234u, 1.0f, 2.0f, 3.0f, 90.0f, 60000,
               1);
      },
      "TaskStartScenarioAtPosition",
      "8 arguments pushed, 12 expected; the game also reads slots 9 (a boolean), 10 (the "
      "address of a text or 0), 11 (a float), 12 (a boolean), never pushed");
  ExpectFailure(
      [] {
        Invoke(natives::TaskGoStraightToCoord, 1000, 1.0f, 2.0f, 3.0f, 1.0f, -1, 90.0f, 0, 0, 0);
      },
      "TaskGoStraightToCoord",
      "10 arguments pushed, 13 expected; the game also reads slots 11 (a float), 12 (a handle), "
      "13 (a float), never pushed");
}

TEST(MalformedInvocation, ScenarioTextMayBeNullButNotGarbage) {
  ExpectFailure(
      [] {
        Invoke(natives::TaskStartScenarioAtPosition, 1000, 0x1234u, 1.0f, 2.0f, 3.0f, 90.0f, 60000,
               1, false, reinterpret_cast<const char*>(0x10), 0.0f, false);
      },
      "TaskStartScenarioAtPosition", "argument 10 is not a valid text");
}

TEST(MalformedInvocation, UnknownHashIsRefused) {
  ExpectFailure([] { Invoke(0x1234567812345678ull); }, "0x1234567812345678", "unknown native");
}

TEST(MalformedInvocation, BadTextIsRefused) {
  ExpectFailure([] { Invoke(natives::GetHashKey, static_cast<const char*>(nullptr)); },
                "GetHashKey", "not a valid text");
  ExpectFailure(
      [] {
        nativeInit(natives::GetHashKey);
        nativePush64(0x10);
        nativeCall();
      },
      "GetHashKey", "not readable");
}

TEST(MalformedInvocation, SpeechRequestMustHoldTwoTexts) {
  ExpectFailure(
      [] {
        // Packed 32-bit fields instead of eight 8-byte slots.
        static std::uint32_t packed[16] = {};
        static const char* line = "GOING_WELL";
        std::memcpy(&packed[0], &line, sizeof line);
        packed[2] = 1;
        packed[3] = 0xABCD;
        Invoke(natives::PlayPedAmbientSpeechNative, 5, &packed[0]);
      },
      "PlayPedAmbientSpeechNative", "speech request");
}

TEST(MalformedInvocation, BooleanMustBeZeroOrOne) {
  ExpectFailure([] { Invoke(natives::PromptSetEnabled, 3, 2); }, "PromptSetEnabled", "boolean");
}

TEST(MalformedInvocation, NativeOutsideTheScriptIsRefused) {
  sim::World world(sim::WorldSettings{});
  sim::Host host(world);
  sim::SetActiveHost(&host);
  Invoke(natives::PlayerPedId);
  sim::SetActiveHost(nullptr);
  ASSERT_TRUE(host.Failed());
  EXPECT_NE(host.Error().find("outside the script"), std::string::npos) << host.Error();
}

TEST(Watchdog, ScriptThatNeverYieldsIsStoppedNamingTheLastNative) {
  sim::WorldSettings settings;
  static bool stopped = false;
  ScriptHarness harness(
      [] {
        for (;;) campfire::GetGameTimer();
      },
      settings);
  harness.host().SetWatchdog(std::chrono::milliseconds(100));
  harness.RunFrames(1);
  ASSERT_TRUE(harness.host().Failed());
  EXPECT_NE(harness.host().Error().find("without yielding"), std::string::npos);
  EXPECT_NE(harness.host().Error().find("GetGameTimer"), std::string::npos);
  (void)stopped;
}

TEST(ScriptWait, ResumesAtTheFirstFrameWhoseClockIsFarEnough) {
  static std::int32_t before = 0;
  static std::int32_t after = 0;
  ScriptHarness harness([] {
    before = campfire::GetGameTimer();
    scriptWait(100);
    after = campfire::GetGameTimer();
  });
  harness.RunFrames(10);
  ASSERT_FALSE(harness.host().Failed()) << harness.host().Error();
  const std::int32_t frame = harness.world().Settings().frameMs;
  EXPECT_GE(after - before, 100);
  EXPECT_LT(after - before, 100 + frame);
}

}  // namespace
