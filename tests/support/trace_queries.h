// Reading a recorded run: calls of a native since a mark, calls on a handle, the
// distances the game measured, and points at an exact distance from a centre.
#pragma once

#include <cstddef>
#include <vector>

#include "sim/scenario/simulation.h"

namespace campfire_test {

// `d` units east of `centre`. At the camp's magnitudes the float sum is exact, so the
// distance the game measures is exactly d.
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

// Calls of one native on one handle (its first argument) made at or after `from`.
inline std::vector<const sim::Event*> CallsOn(const sim::Recorder& recorder, sim::NativeId id,
                                              sim::Handle handle, std::size_t from = 0) {
  std::vector<const sim::Event*> found;
  for (const sim::Event* e : CallsSince(recorder, id, from)) {
    if (!e->args.empty() && e->args[0].i == handle) found.push_back(e);
  }
  return found;
}

// Index of the first call of `id` at or after `from`; the number of events if none.
inline std::size_t FirstCallSince(const sim::Recorder& recorder, sim::NativeId id,
                                  std::size_t from) {
  const auto& events = recorder.Events();
  for (std::size_t i = from; i < events.size(); ++i) {
    if (!events[i].isWait && events[i].id == id) return i;
  }
  return events.size();
}

// Index of the first call of `id` on `handle` at or after `from`; the number of events if
// none.
inline std::size_t IndexOfCallOn(const sim::Recorder& recorder, sim::NativeId id,
                                 sim::Handle handle, std::size_t from = 0) {
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

}  // namespace campfire_test
