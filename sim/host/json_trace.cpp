#include "sim/host/json_trace.h"

#include <charconv>

namespace sim {

namespace {

template <class T>
void AppendNumber(T value, std::string& out) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, value).ptr;
  out.append(text, end);
}

void AppendHex(std::uint64_t value, std::string& out) {
  static constexpr char digits[] = "0123456789ABCDEF";
  out += "0x";
  for (int shift = 60; shift >= 0; shift -= 4) out += digits[(value >> shift) & 0xF];
}

void AppendString(const char* text, std::string& out) {
  out += '"';
  for (const char* p = text; *p != '\0'; ++p) {
    const char c = *p;
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  out += '"';
}

void AppendSpeech(const SpeechFields& s, std::string& out) {
  out += "{\"lineName\":";
  AppendString(s.lineName, out);
  out += ",\"secondName\":";
  AppendString(s.secondName, out);
  out += ",\"variation\":";
  AppendNumber(s.variation, out);
  out += ",\"paramsHash\":";
  AppendNumber(s.paramsHash, out);
  out += ",\"reserved\":";
  AppendNumber(s.reserved, out);
  out += ",\"option1\":";
  AppendNumber(s.option1, out);
  out += ",\"option2\":";
  AppendNumber(s.option2, out);
  out += ",\"option3\":";
  AppendNumber(s.option3, out);
  out += '}';
}

void AppendArg(const CallEvent& e, int i, std::string& out) {
  const NativeCall& c = e.call;
  switch (c.sig->args[static_cast<std::size_t>(i)]) {
    case ArgKind::Int:
    case ArgKind::Handle:
      return AppendNumber(c.Int(i), out);
    case ArgKind::Bool:
    case ArgKind::Hash:
      return AppendNumber(c.Hash(i), out);
    case ArgKind::Float:
      return AppendFloat(c.Float(i), out);
    case ArgKind::String:
      return AppendString(c.String(i), out);
    case ArgKind::TextOrNull:
      if (c.slot[i] == 0) {
        out += "null";
        return;
      }
      return AppendString(c.String(i), out);
    case ArgKind::HandleRef:
      out += "{\"ref\":";
      AppendNumber(e.refBefore[i], out);
      out += '}';
      return;
    case ArgKind::Speech:
      return AppendSpeech(c.Speech(i), out);
    case ArgKind::Text:
      return AppendNumber(c.Text(i), out);
  }
}

void AppendResult(const NativeCall& c, std::string& out) {
  NativeCall r;
  r.slot[0] = c.result[0];
  r.slot[1] = c.result[1];
  r.slot[2] = c.result[2];
  switch (c.sig->result) {
    case ResultKind::None:
      out += "null";
      return;
    case ResultKind::Int:
    case ResultKind::Handle:
      return AppendNumber(r.Int(0), out);
    case ResultKind::Bool:
    case ResultKind::Hash:
      return AppendNumber(r.Hash(0), out);
    case ResultKind::Float:
      return AppendFloat(r.Float(0), out);
    case ResultKind::Text:
      return AppendNumber(c.result[0], out);
    case ResultKind::Vector:
      out += '[';
      AppendFloat(r.Float(0), out);
      out += ',';
      AppendFloat(r.Float(1), out);
      out += ',';
      AppendFloat(r.Float(2), out);
      out += ']';
      return;
  }
}

}  // namespace

void AppendFloat(float value, std::string& out) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, value).ptr;
  bool plain = true;
  for (const char* p = text; p != end; ++p) {
    if (*p == '.' || *p == 'e' || *p == 'n' || *p == 'i') plain = false;
  }
  out.append(text, end);
  if (plain) out += ".0";
}

void FormatCallLine(const CallEvent& e, std::string& out) {
  out += "{\"frame\":";
  AppendNumber(e.frame, out);
  out += ",\"clock\":";
  AppendNumber(e.clock, out);
  out += ",\"native\":\"";
  out += e.call.sig->name;
  out += "\",\"hash\":\"";
  AppendHex(e.call.sig->hash, out);
  out += "\",\"args\":[";
  for (int i = 0; i < e.call.argc; ++i) {
    if (i > 0) out += ',';
    AppendArg(e, i, out);
  }
  out += "],\"result\":";
  AppendResult(e.call, out);
  out += '}';
}

void FormatFindingLine(const CallEvent& e, std::string& out) {
  const HandleFinding& f = e.call.finding;
  const auto i = static_cast<std::size_t>(f.arg);
  out += "{\"frame\":";
  AppendNumber(e.frame, out);
  out += ",\"clock\":";
  AppendNumber(e.clock, out);
  out += f.foreign ? ",\"finding\":\"another script's\"" : ",\"finding\":\"kind\"";
  out += ",\"native\":\"";
  out += e.call.sig->name;
  out += "\",\"arg\":";
  AppendNumber(f.arg + 1, out);
  out += ",\"handle\":";
  AppendNumber(e.call.sig->args[i] == ArgKind::HandleRef ? e.refBefore[i] : e.call.Int(f.arg), out);
  out += ",\"named\":\"";
  out += HandleKindWords(f.named);
  out += "\",\"takes\":\"";
  out += HandleKindWords(e.call.sig->handles[i].kinds);
  out += "\"}";
}

void FormatHeldLine(const CallEvent& e, std::string& out) {
  const int i = e.call.finding.held;
  out += "{\"frame\":";
  AppendNumber(e.frame, out);
  out += ",\"clock\":";
  AppendNumber(e.clock, out);
  out += ",\"finding\":\"held across a wait\",\"native\":\"";
  out += e.call.sig->name;
  out += "\",\"arg\":";
  AppendNumber(i + 1, out);
  out += ",\"handle\":";
  const bool byAddress = e.call.sig->args[static_cast<std::size_t>(i)] == ArgKind::HandleRef;
  AppendNumber(byAddress ? e.refBefore[i] : e.call.Int(i), out);
  out += '}';
}

void FormatUnownedLine(const CallEvent& e, std::string& out) {
  out += "{\"frame\":";
  AppendNumber(e.frame, out);
  out += ",\"clock\":";
  AppendNumber(e.clock, out);
  out += ",\"finding\":\"deleted without owning it\",\"native\":\"";
  out += e.call.sig->name;
  out += "\",\"handle\":";
  AppendNumber(e.refBefore[0], out);
  out += e.call.finding.unowned == 1 ? ",\"owner\":\"another script\"}" : ",\"owner\":\"nobody\"}";
}

void FormatWaitLine(std::uint64_t frame, std::int32_t clock, std::uint32_t ms, std::string& out) {
  out += "{\"frame\":";
  AppendNumber(frame, out);
  out += ",\"clock\":";
  AppendNumber(clock, out);
  out += ",\"wait\":";
  AppendNumber(ms, out);
  out += '}';
}

void FormatRestartLine(std::uint64_t frame, std::int32_t clock, bool reload, std::string& out) {
  out += "{\"frame\":";
  AppendNumber(frame, out);
  out += ",\"clock\":";
  AppendNumber(clock, out);
  out += reload ? ",\"reload\":true}" : ",\"restart\":true}";
}

JsonTraceWriter::~JsonTraceWriter() { Flush(); }

void JsonTraceWriter::OnScriptRestart(std::uint64_t frame, std::int32_t clock, bool reload) {
  FormatRestartLine(frame, clock, reload, buffer_);
  buffer_ += '\n';
}

void JsonTraceWriter::OnCall(const CallEvent& event) {
  FormatCallLine(event, buffer_);
  buffer_ += '\n';
  const HandleFinding& f = event.call.finding;
  if (f.arg >= 0) [[unlikely]] {
    FormatFindingLine(event, buffer_);
    buffer_ += '\n';
  }
  if (f.held >= 0) [[unlikely]] {
    FormatHeldLine(event, buffer_);
    buffer_ += '\n';
  }
  if (f.unowned != 0) [[unlikely]] {
    FormatUnownedLine(event, buffer_);
    buffer_ += '\n';
  }
  if (buffer_.size() > (1u << 16)) Flush();
}

void JsonTraceWriter::OnWait(std::uint64_t frame, std::int32_t clock, std::uint32_t ms) {
  FormatWaitLine(frame, clock, ms, buffer_);
  buffer_ += '\n';
  if (buffer_.size() > (1u << 16)) Flush();
}

void JsonTraceWriter::Flush() {
  if (!buffer_.empty()) std::fwrite(buffer_.data(), 1, buffer_.size(), file_);
  buffer_.clear();
}

}  // namespace sim
