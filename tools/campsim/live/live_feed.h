// What the playground's page is told of the live run: a stream of small JSON events, each
// what changed since the one before (new points of each track, spans begun or ended,
// timeline lines and where they go), then the moment's state. A page that joins late reads
// every change from the first, so every page draws the same run; of the moment's state only
// the latest is kept, so that a run left open, paused or idle, does not grow the feed.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "tools/campsim/report/replay.h"
#include "tools/campsim/scenario_file/json_values.h"

namespace campsim {

// A timeline line and the place it goes in the list: a wait's line goes back to where the
// wait began, once its length is known.
struct LineInsert {
  std::size_t index;
  std::int64_t ms;
  std::string text;
};

class LiveFeed {
 public:
  // The simulation's thread: what changed in `replay` since the last call, the lines made
  // since, and the moment's state.
  void Publish(const Replay& replay, const std::vector<LineInsert>& lines, const json& now);
  // Where a reader is: the changes it has read and the state it last saw.
  struct Cursor {
    std::size_t next = 0;
    std::uint64_t seen = 0;
  };
  // A reader's: the changes after `at`, then the moment's state if it is newer, waiting up to
  // `timeout` for either. False once the feed is closed and nothing is left to read.
  bool Read(Cursor& at, std::vector<std::string>& events, std::chrono::milliseconds timeout);
  void Close();
  std::size_t Bytes() const;

 private:
  json TrackChanges(const Replay& replay);
  json SpanChanges(const Replay& replay);

  // The simulation's thread only: how much of each track and channel was sent.
  struct SentTrack {
    std::size_t segments = 0;
    std::size_t points = 0;  // in the last segment sent
    std::int64_t lastMs = -1;
  };
  std::vector<SentTrack> sentTracks_;
  std::map<std::string, std::pair<std::size_t, std::int64_t>> sentSpans_;  // count, last's end

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::string> changes_;
  std::size_t bytes_ = 0;
  std::string state_;          // {"ms":..,"now":..}: the latest only
  std::uint64_t version_ = 0;  // counts the states that differed from the one before
  bool closed_ = false;
};

}  // namespace campsim
