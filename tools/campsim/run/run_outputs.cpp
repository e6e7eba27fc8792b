#include "tools/campsim/run/run_outputs.h"

#include <fmt/format.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "tools/campsim/scenario_file/json_values.h"

namespace campsim {

std::string OpenOutputs(const OutputPaths& o, Outputs& outputs) {
  if (!o.trace.empty()) {
    // Binary, so that the trace has the same bytes on Windows as on Linux.
    outputs.trace.reset(std::fopen(o.trace.c_str(), "wb"));
    if (!outputs.trace)
      return fmt::format("{}: cannot be written: {}", OneLineName(o.trace), std::strerror(errno));
  }
  auto open = [](const std::string& path, std::ofstream& stream) {
    if (path.empty()) return std::string();
    stream.open(path);
    return stream
               ? std::string()
               : fmt::format("{}: cannot be written: {}", OneLineName(path), std::strerror(errno));
  };
  if (std::string e = open(o.map, outputs.map); !e.empty()) return e;
  if (std::string e = open(o.timeline, outputs.timeline); !e.empty()) return e;
  return open(o.report, outputs.report);
}

// Every output closed and checked: a disk that filled up on the way is named, in one line
// for the first output that was not written whole.
std::string CloseOutputs(const OutputPaths& o, Outputs& outputs, std::ostream& out) {
  std::string problem;
  auto fail = [&](const std::string& name) {
    if (problem.empty()) {
      problem = fmt::format("campsim: {}: not written whole: {}", OneLineName(name),
                            errno != 0 ? std::strerror(errno) : "the write failed");
    }
  };
  errno = 0;
  if (outputs.trace) {
    std::FILE* f = outputs.trace.release();
    const bool bad = std::fflush(f) != 0 || std::ferror(f) != 0;
    if (std::fclose(f) != 0 || bad) fail(o.trace);
  }
  for (auto [stream, path] : {std::pair{&outputs.map, &o.map},
                              {&outputs.timeline, &o.timeline},
                              {&outputs.report, &o.report}}) {
    if (!stream->is_open()) continue;
    errno = 0;
    stream->close();
    if (stream->fail()) fail(*path);
  }
  errno = 0;
  out.flush();
  if (!out) fail("standard output");
  return problem;
}

}  // namespace campsim
