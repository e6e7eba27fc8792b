// Runs campsim in-process, as its command line would, and keeps what it printed.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <utility>
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

// "" when the texts are the same; else where they first differ, with a few lines of each from
// there, so that a long text (a whole timeline) is never printed twice in full.
inline std::string FirstDifference(const std::string& actual, const std::string& expected) {
  const std::vector<std::string> a = CampsimRun::Lines(actual);
  const std::vector<std::string> e = CampsimRun::Lines(expected);
  std::size_t i = 0;
  while (i < a.size() && i < e.size() && a[i] == e[i]) ++i;
  if (i == a.size() && i == e.size()) {
    return actual == expected ? "" : "the texts differ only in their line ends";
  }
  constexpr std::size_t kShown = 3;
  std::ostringstream out;
  out << "first difference at line " << i + 1 << " (" << a.size() << " lines, " << e.size()
      << " expected)\n";
  for (const auto& [name, lines] : {std::pair{"expected", &e}, std::pair{"actual", &a}}) {
    out << name << ":\n";
    for (std::size_t j = i; j < lines->size() && j < i + kShown; ++j) {
      out << "  " << j + 1 << ": " << (*lines)[j] << "\n";
    }
    if (i >= lines->size()) out << "  (ends)\n";
  }
  return out.str();
}

// Named for the test's process too: tests run side by side (ctest -j), and several write a
// file of the same name. A name already the process's own is taken as it is, so that a
// path's name can be handed back.
inline std::string TempPath(const std::string& name) {
  const std::string own = std::to_string(getpid()) + "-";
  return ::testing::TempDir() + (name.rfind(own, 0) == 0 ? name : own + name);
}

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

// campsim refuses the file, written under `name`, with exit 2 and the one line
// "PATH: expected", before any frame runs.
inline void ExpectRejected(const std::string& name, const std::string& text,
                           const std::string& expected) {
  SCOPED_TRACE(name);
  const std::string path = WriteTemp(name, text);
  const auto run = RunCampsimWith({path});
  EXPECT_EQ(run.code, 2) << run.err;
  ASSERT_EQ(run.ErrLines().size(), 1u) << run.err;
  EXPECT_EQ(run.err, path + ": " + expected + "\n");
  EXPECT_EQ(run.out, "") << "nothing may run before the file is known to be good";
}

// campsim refuses its command line with exit 2 and the one line `expected`.
inline void ExpectCommandRefused(const std::vector<std::string>& args,
                                 const std::string& expected) {
  const auto run = RunCampsimWith(args);
  EXPECT_EQ(run.code, 2) << run.err;
  EXPECT_EQ(run.err, expected + "\n");
  EXPECT_EQ(run.out, "");
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
