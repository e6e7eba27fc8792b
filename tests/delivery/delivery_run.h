// Reading a run of the plugin for the supply delivery: the wagon's places, calls since a
// mark, and the speech requests a ped was made to send.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "sim/scenario/simulation.h"
#include "support/trace_queries.h"

namespace delivery_test {

// The wagon as the tests expect it: the tests' one copy, apart from the plugin's table.
inline constexpr sim::Vec3 kWagonSpot{-1617.198f, -1375.179f, 82.837f};
inline constexpr sim::Vec3 kFence{1411.352f, 266.98f, 89.61f};
inline constexpr const char* kWagonModel = "wagon02x";
inline constexpr const char* kCargo = "pg_re_supplydelivery01x";
inline std::uint32_t WagonModel() { return sim::JoaatHash(kWagonModel); }
inline std::uint32_t CargoHash() { return sim::JoaatHash(kCargo); }

using campfire_test::CallsOn;
using campfire_test::CallsSince;
using campfire_test::CountSince;
using campfire_test::DistancesTo;
using campfire_test::EastOf;
using campfire_test::FirstCallSince;
using campfire_test::IndexOfCallOn;

// One request to speak, with the random draw that should come straight before it.
struct SpeechRequest {
  std::size_t index = 0;  // of the speech call among the run's events
  std::uint64_t frame = 0;
  std::int32_t clock = 0;
  std::string line;
  std::int32_t variation = 0;
  bool drawnJustBefore = false;
  std::int64_t lo = 0;
  std::int64_t hi = 0;
  std::int32_t drawn = 0;
};

// The requests `speaker` was made to send, at or after event index `from`.
inline std::vector<SpeechRequest> RequestsBy(const sim::Recorder& recorder, sim::Handle speaker,
                                             std::size_t from = 0) {
  std::vector<SpeechRequest> found;
  const auto& events = recorder.Events();
  for (std::size_t i = from; i < events.size(); ++i) {
    const sim::Event& e = events[i];
    if (e.isWait || e.id != sim::NativeId::PlayPedAmbientSpeechNative || e.args[0].i != speaker) {
      continue;
    }
    SpeechRequest& r = found.emplace_back();
    r.index = i;
    r.frame = e.frame;
    r.clock = e.clock;
    r.line = e.args[1].lineName;
    r.variation = e.args[1].speech.variation;
    if (i > 0 && !events[i - 1].isWait && events[i - 1].id == sim::NativeId::GetRandomIntInRange) {
      r.drawnJustBefore = true;
      r.lo = events[i - 1].args[0].i;
      r.hi = events[i - 1].args[1].i;
      r.drawn = events[i - 1].ResultInt();
    }
  }
  return found;
}

// An ambient request: the draw over [lo, hi) straight before, its value as the variation,
// and the record's other fields empty.
inline void ExpectAmbientRequest(const sim::Recorder& recorder, const SpeechRequest& r,
                                 const std::string& line, std::int64_t lo, std::int64_t hi) {
  EXPECT_EQ(r.line, line);
  ASSERT_TRUE(r.drawnJustBefore) << line;
  EXPECT_EQ(r.lo, lo) << line;
  EXPECT_EQ(r.hi, hi) << line;
  EXPECT_EQ(r.variation, r.drawn) << line;
  EXPECT_GE(r.variation, lo) << line;
  EXPECT_LT(r.variation, hi) << line;
  const sim::ArgValue& record = recorder.Events()[r.index].args[1];
  EXPECT_EQ(record.secondName, "");
  EXPECT_EQ(record.speech.paramsHash, 0u);
  EXPECT_EQ(record.speech.option1, 0);
  EXPECT_EQ(record.speech.option2, 0);
  EXPECT_EQ(record.speech.option3, 0);
}

}  // namespace delivery_test
