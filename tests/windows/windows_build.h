// What the Windows tests share: where the cross-built files are, running a command, and a
// scratch folder of the test's own.
#pragma once

#include <stdlib.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

namespace campfire_test {

namespace fs = std::filesystem;

// The folder of the cross-built Campfire.asi, campsim.exe and the stand-in host DLL;
// empty when mingw-w64 is missing and nothing was cross-built.
inline fs::path WindowsDir() {
  const std::string asi = CAMPFIRE_ASI_PATH;
  if (asi.empty() || !fs::exists(asi)) return {};
  return fs::path(asi).parent_path();
}

// A path quoted for the shell.
inline std::string Quote(const fs::path& path) {
  std::string quoted = "'";
  for (char c : path.string()) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

struct CommandResult {
  int status = -1;     // the exit status, -1 if the command did not end normally
  std::string output;  // standard output, and standard error unless the command sends it away
};

inline CommandResult RunCommand(const std::string& command, bool withErrors = true) {
  CommandResult result;
  FILE* pipe = popen((withErrors ? command + " 2>&1" : command).c_str(), "r");
  if (pipe == nullptr) return result;
  char buffer[4096];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) result.output.append(buffer, n);
  const int status = pclose(pipe);
  if (WIFEXITED(status)) result.status = WEXITSTATUS(status);
  return result;
}

inline std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A fresh folder, removed with everything in it when the test ends.
class ScratchDir {
 public:
  ScratchDir() {
    std::string pattern = (fs::temp_directory_path() / "campfire-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~ScratchDir() {
    std::error_code ignored;
    if (!path_.empty()) fs::remove_all(path_, ignored);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

}  // namespace campfire_test
