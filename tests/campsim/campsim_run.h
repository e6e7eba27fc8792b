// Runs campsim in-process, as its command line would, and keeps what it printed.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/campsim/campsim.h"

namespace campsim_test {

struct CampsimRun {
  int code = -1;
  std::string out;
  std::string err;

  std::vector<std::string> OutLines() const { return Lines(out); }
  std::vector<std::string> ErrLines() const { return Lines(err); }

  static std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
};

inline CampsimRun RunCampsimWith(std::vector<std::string> args) {
  args.insert(args.begin(), "campsim");
  std::vector<const char*> argv;
  for (const std::string& a : args) argv.push_back(a.c_str());
  std::ostringstream out;
  std::ostringstream err;
  CampsimRun run;
  run.code = campsim::RunCampsim(static_cast<int>(argv.size()), argv.data(), out, err);
  run.out = out.str();
  run.err = err.str();
  return run;
}

inline std::string TempPath(const std::string& name) { return ::testing::TempDir() + name; }

inline std::string WriteTemp(const std::string& name, const std::string& text) {
  const std::string path = TempPath(name);
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

inline std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The index of the first line containing `needle` at or after `from`, or -1.
inline int FindLine(const std::vector<std::string>& lines, const std::string& needle,
                    int from = 0) {
  for (int i = from; i < static_cast<int>(lines.size()); ++i) {
    if (lines[static_cast<std::size_t>(i)].find(needle) != std::string::npos) return i;
  }
  return -1;
}

}  // namespace campsim_test
