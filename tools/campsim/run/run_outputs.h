// The files a campsim run writes (--trace, --map, --timeline, --report): every one opened
// before the run, so that a bad path costs no simulation, and every one checked as it is
// closed, so that a disk that filled up on the way is named.
#pragma once

#include <cstdio>
#include <fstream>
#include <memory>
#include <ostream>
#include <string>

namespace campsim {

// An empty path: that output is not written.
struct OutputPaths {
  std::string trace;
  std::string map;
  std::string timeline;
  std::string report;
};

struct FileCloser {
  void operator()(std::FILE* f) const {
    if (f != nullptr) std::fclose(f);
  }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

struct Outputs {
  File trace;
  std::ofstream map;
  std::ofstream timeline;
  std::ofstream report;
};

// "" or the one line naming the first output that cannot be opened.
std::string OpenOutputs(const OutputPaths& paths, Outputs& outputs);
// Closes every output and flushes `out`: "" or one line for the first that was not written
// whole.
std::string CloseOutputs(const OutputPaths& paths, Outputs& outputs, std::ostream& out);

}  // namespace campsim
