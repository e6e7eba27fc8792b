#include "tools/campsim/live/live_feed.h"

#include <cmath>

namespace campsim {

namespace {

// A span still open ends, for the page, far past any run.
constexpr std::int64_t kOpenEnd = 1'000'000'000'000'000;

}  // namespace

// Each change is [track, segment, first point, ms, x, y, ...]: the page cuts the segment at
// that point and adds the rest. The recorder moves only the last point of a segment.
json LiveFeed::TrackChanges(const Replay& replay) {
  json changes = json::array();
  sentTracks_.resize(replay.tracks.size());
  for (std::size_t t = 0; t < replay.tracks.size(); ++t) {
    const auto& segments = replay.tracks[t].segments;
    SentTrack& sent = sentTracks_[t];
    std::size_t seg = sent.segments == 0 ? 0 : sent.segments - 1;
    for (; seg < segments.size(); ++seg) {
      const auto& points = segments[seg];
      std::size_t from = 0;
      if (seg + 1 == sent.segments) {
        if (points.size() == sent.points && points.back().ms == sent.lastMs) continue;
        from = sent.points - 1;
      }
      json change = json::array({t, seg, from});
      for (std::size_t p = from; p < points.size(); ++p) {
        change.push_back(points[p].ms);
        change.push_back(Hundredth(points[p].at.x));
        change.push_back(Hundredth(points[p].at.y));
      }
      changes.push_back(std::move(change));
    }
    if (!segments.empty())
      sent = {segments.size(), segments.back().size(), segments.back().back().ms};
  }
  return changes;
}

// Each change is [channel, first span, [from, to, text], ...], cut and added as tracks are.
json LiveFeed::SpanChanges(const Replay& replay) {
  json changes = json::array();
  for (const auto& [name, spans] : replay.channels) {
    if (spans.empty()) continue;
    auto& [count, lastEnd] = sentSpans_[name];
    if (count == spans.size() && spans.back().toMs == lastEnd) continue;
    const std::size_t from = count == 0 ? 0 : count - 1;
    json change = json::array({name, from});
    for (std::size_t i = from; i < spans.size(); ++i) {
      const Span& s = spans[i];
      change.push_back(json::array({s.fromMs, s.toMs < 0 ? kOpenEnd : s.toMs, s.text}));
    }
    changes.push_back(std::move(change));
    count = spans.size();
    lastEnd = spans.back().toMs;
  }
  return changes;
}

void LiveFeed::Publish(const Replay& replay, const std::vector<LineInsert>& lines,
                       const json& now) {
  json change{{"ms", replay.lengthMs}};
  if (json t = TrackChanges(replay); !t.empty()) change["tracks"] = std::move(t);
  if (json s = SpanChanges(replay); !s.empty()) change["spans"] = std::move(s);
  if (!lines.empty()) {
    json& list = change["lines"] = json::array();
    for (const LineInsert& l : lines) list.push_back(json::array({l.index, l.ms, l.text}));
  }
  std::string text = change.size() > 1 ? change.dump() : std::string();
  std::string state = json{{"ms", replay.lengthMs}, {"now", now}}.dump();
  {
    const std::lock_guard lock(mutex_);
    if (text.empty() && state == state_) return;
    if (!text.empty()) {
      bytes_ += text.size();
      changes_.push_back(std::move(text));
    }
    if (state != state_) {
      state_ = std::move(state);
      ++version_;
    }
  }
  changed_.notify_all();
}

bool LiveFeed::Read(Cursor& at, std::vector<std::string>& events,
                    std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  changed_.wait_for(lock, timeout,
                    [&] { return closed_ || changes_.size() > at.next || version_ != at.seen; });
  for (std::size_t i = at.next; i < changes_.size(); ++i) events.push_back(changes_[i]);
  at.next = changes_.size();
  if (version_ != at.seen && !state_.empty()) events.push_back(state_);
  at.seen = version_;
  return !(closed_ && events.empty());
}

void LiveFeed::Close() {
  {
    const std::lock_guard lock(mutex_);
    closed_ = true;
  }
  changed_.notify_all();
}

std::size_t LiveFeed::Bytes() const {
  const std::lock_guard lock(mutex_);
  return bytes_ + state_.size();
}

}  // namespace campsim
