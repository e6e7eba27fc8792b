#include "sim/scenario/recorder.h"

#include <bit>

namespace sim {

float Event::ResultFloat() const {
  return std::bit_cast<float>(static_cast<std::uint32_t>(result[0]));
}

std::string_view Event::Name() const {
  return isWait ? std::string_view("wait") : std::string_view(SignatureOf(id).name);
}

void Recorder::OnCall(const CallEvent& e) {
  Event& ev = events_.emplace_back();
  ev.frame = e.frame;
  ev.clock = e.clock;
  ev.id = e.call.sig->id;
  ev.result[0] = e.call.result[0];
  ev.result[1] = e.call.result[1];
  ev.result[2] = e.call.result[2];
  ev.heldArg = e.call.finding.held;
  ev.unowned = e.call.finding.unowned;
  ev.args.resize(static_cast<std::size_t>(e.call.argc));
  for (int i = 0; i < e.call.argc; ++i) {
    ArgValue& a = ev.args[static_cast<std::size_t>(i)];
    a.kind = e.call.sig->args[static_cast<std::size_t>(i)];
    a.raw = e.call.slot[i];
    switch (a.kind) {
      case ArgKind::Int:
      case ArgKind::Handle:
        a.i = e.call.Int(i);
        break;
      case ArgKind::Bool:
      case ArgKind::Hash:
        a.i = e.call.Hash(i);
        break;
      case ArgKind::Float:
        a.f = e.call.Float(i);
        break;
      case ArgKind::String:
        a.s = e.call.String(i);
        break;
      case ArgKind::TextOrNull:
        if (e.call.slot[i] != 0) a.s = e.call.String(i);
        break;
      case ArgKind::HandleRef:
        a.i = e.refBefore[i];
        break;
      case ArgKind::Speech:
        a.speech = e.call.Speech(i);
        a.lineName = a.speech.lineName;
        a.secondName = a.speech.secondName;
        // The record's texts belong to the plugin, which may be gone when this is read.
        a.speech.lineName = nullptr;
        a.speech.secondName = nullptr;
        break;
      case ArgKind::Text:
        a.i = static_cast<std::int64_t>(e.call.Text(i));
        break;
    }
  }
}

void Recorder::OnWait(std::uint64_t frame, std::int32_t clock, std::uint32_t ms) {
  Event& ev = events_.emplace_back();
  ev.frame = frame;
  ev.clock = clock;
  ev.isWait = true;
  ev.waitMs = ms;
}

std::vector<const Event*> Recorder::Calls(NativeId id) const {
  std::vector<const Event*> found;
  for (const Event& e : events_) {
    if (!e.isWait && e.id == id) found.push_back(&e);
  }
  return found;
}

std::vector<std::string> Recorder::Sequence(std::size_t from) const {
  std::vector<std::string> names;
  for (std::size_t i = from; i < events_.size(); ++i) {
    const Event& e = events_[i];
    names.push_back(e.isWait ? "wait " + std::to_string(e.waitMs) : std::string(e.Name()));
  }
  return names;
}

}  // namespace sim
