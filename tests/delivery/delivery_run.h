// Reading a run of the plugin for the supply delivery: the wagon's places, calls since a
// mark, and the speech requests a ped was made to send.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "sim/scenario/simulation.h"

namespace delivery_test {

inline constexpr sim::Vec3 kWagonSpot{-1617.198f, -1375.179f, 82.837f};
inline constexpr sim::Vec3 kFence{1411.352f, 266.98f, 89.61f};

// `d` units east of `centre`. At these magnitudes the float sum is exact, so the distance
// the game measures is exactly d.
inline sim::Vec3 EastOf(sim::Vec3 centre, float d) { return {centre.x + d, centre.y, centre.z}; }

// Calls of one native made at or after event index `from`, in order. The pointers last
// only until the run goes on: the recorder's list grows.
inline std::vector<const sim::Event*> CallsSince(const sim::Recorder& recorder, sim::NativeId id,
                                                 std::size_t from = 0) {
  std::vector<const sim::Event*> found;
  const auto& events = recorder.Events();
  for (std::size_t i = from; i < events.size(); ++i) {
    if (!events[i].isWait && events[i].id == id) found.push_back(&events[i]);
  }
  return found;
}

inline std::size_t CountSince(const sim::Recorder& recorder, sim::NativeId id,
                              std::size_t from = 0) {
  return CallsSince(recorder, id, from).size();
}

// Index of the first call of `id` whose first argument is `handle`, at or after `from`;
// the number of events if none.
inline std::size_t IndexOfCallOn(const sim::Recorder& recorder, sim::NativeId id,
                                 std::int64_t handle, std::size_t from = 0) {
  const auto& events = recorder.Events();
  for (std::size_t i = from; i < events.size(); ++i) {
    const sim::Event& e = events[i];
    if (!e.isWait && e.id == id && !e.args.empty() && e.args[0].i == handle) return i;
  }
  return events.size();
}

// The distances measured to `centre` since `from`, as the game answered them.
inline std::vector<float> DistancesTo(const sim::Recorder& recorder, sim::Vec3 centre,
                                      std::size_t from) {
  std::vector<float> found;
  for (const sim::Event* e : CallsSince(recorder, sim::NativeId::GetDistanceBetweenCoords, from)) {
    if (e->args[3].f == centre.x && e->args[4].f == centre.y && e->args[5].f == centre.z) {
      found.push_back(e->ResultFloat());
    }
  }
  return found;
}

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
