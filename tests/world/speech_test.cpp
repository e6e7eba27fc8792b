// Spoken lines: what is recorded and how long a speaker talks.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/world/world_driver.h"

namespace sim::testing {
namespace {

void Say(WorldDriver& d, Handle ped, const char* line) {
  SpeechRecord r = MakeSpeech(line, "", 1);
  d.Call(NativeId::PlayPedAmbientSpeechNative, ped, &r);
}

TEST(WorldSpeech, RecordsTheWholeRequestAsCopies) {
  WorldDriver d;
  Handle ped = d.SpawnPed(kCharles, kCamp);
  char line[] = "GOING_WELL";
  const std::uint32_t params = JoaatHash("SPEECH_PARAMS_BEAT_SPOKEN_CLEAR");
  SpeechRecord r = MakeSpeech(line, "", 3, params, 1);
  d.Call(NativeId::PlayPedAmbientSpeechNative, ped, &r);
  std::memset(line, 'X', sizeof line - 1);  // the plugin's memory may be reused

  ASSERT_EQ(d.world.Spoken().size(), 1u);
  const SpokenLine& spoken = d.world.Spoken()[0];
  EXPECT_EQ(spoken.clock, d.world.Clock());
  EXPECT_EQ(spoken.speaker, ped);
  EXPECT_EQ(spoken.lineName, "GOING_WELL");
  EXPECT_EQ(spoken.secondName, "");
  EXPECT_EQ(spoken.variation, 3);
  EXPECT_EQ(spoken.paramsHash, params);
  EXPECT_EQ(spoken.options[0], 1);
  EXPECT_EQ(spoken.options[2], 1);
  EXPECT_FALSE(spoken.silent);
}

TEST(WorldSpeech, SpeakerTalksForTheLinesLength) {
  WorldDriver d;  // 2500 ms lines, 33 ms frames
  Handle ped = d.SpawnPed(kCharles, kCamp);
  EXPECT_FALSE(d.Bool(NativeId::IsAmbientSpeechPlaying, ped));
  Say(d, ped, "GREET_JOHN");
  EXPECT_TRUE(d.Bool(NativeId::IsAmbientSpeechPlaying, ped));
  d.Frames(75);
  EXPECT_TRUE(d.world.IsSpeaking(ped));
  d.Frames(1);
  EXPECT_FALSE(d.Bool(NativeId::IsAmbientSpeechPlaying, ped));

  d.world.LineDuration("GENERIC_GOODBYE", 100);
  Say(d, ped, "GENERIC_GOODBYE");
  d.Frames(3);
  EXPECT_TRUE(d.world.IsSpeaking(ped));
  d.Frames(1);
  EXPECT_FALSE(d.world.IsSpeaking(ped));
}

TEST(WorldSpeech, SilentLinesAndSilentSpeakersNeverPlay) {
  WorldDriver d;
  Handle ped = d.SpawnPed(kCharles, kCamp);
  Handle dead = d.SpawnPed(kCharles, kCamp);
  d.world.Kill(dead);
  d.world.SilentLine("GOING_WELL");
  Say(d, ped, "GOING_WELL");
  EXPECT_FALSE(d.Bool(NativeId::IsAmbientSpeechPlaying, ped));
  Say(d, dead, "GREET_JOHN");
  Say(d, 4242, "GREET_JOHN");
  EXPECT_FALSE(d.Bool(NativeId::IsAmbientSpeechPlaying, dead));
  ASSERT_EQ(d.world.Spoken().size(), 3u);
  for (const SpokenLine& line : d.world.Spoken()) EXPECT_TRUE(line.silent) << line.speaker;
}

TEST(WorldSpeech, EndlessLinePlaysUntilTheSpeakerSaysSomethingElse) {
  WorldDriver d;
  Handle ped = d.SpawnPed(kCharles, kCamp);
  d.world.EndlessLine("GOING_WELL");
  Say(d, ped, "GOING_WELL");
  d.Frames(10000);  // over five minutes
  EXPECT_TRUE(d.Bool(NativeId::IsAmbientSpeechPlaying, ped));
  EXPECT_FALSE(d.world.Spoken().back().silent);
  Say(d, ped, "GREET_JOHN");
  d.Frames(76);
  EXPECT_FALSE(d.world.IsSpeaking(ped));
  // A later setting replaces it.
  d.world.LineDuration("GOING_WELL", 100);
  Say(d, ped, "GOING_WELL");
  d.Frames(4);
  EXPECT_FALSE(d.world.IsSpeaking(ped));
}

}  // namespace
}  // namespace sim::testing
