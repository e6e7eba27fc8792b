// Runs the cross-built Windows programs under wine, in a wine prefix of the build's own
// that the first test to need it creates.
#pragma once

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <string>

#include "windows/windows_build.h"

namespace campfire_test {

class Wine {
 public:
  // Finds wine and makes sure the prefix exists; Ready() tells whether that worked.
  static Wine& Instance() {
    static Wine wine;
    return wine;
  }

  bool Ready() const { return problem_.empty(); }
  const std::string& Problem() const { return problem_; }

  // Runs a program of the Windows build folder with the working folder `in`. The output is
  // the program's standard output alone; what wine itself reports goes to `in`/wine.log.
  CommandResult Run(const std::string& program, const std::string& arguments,
                    const fs::path& in) const {
    return RunProgram(WindowsDir() / program, arguments, in);
  }

  // The same for a program anywhere, for instance one unpacked from a zip.
  CommandResult RunProgram(const fs::path& program, const std::string& arguments,
                           const fs::path& in) const {
    CommandResult result =
        RunCommand("cd " + Quote(in) + " && " + Environment() + " " + Quote(wine_) + " " +
                       Quote(program) + " " + arguments + " 2>wine.log",
                   false);
    if (result.status != 0) result.output += ReadBytes(in / "wine.log");
    return result;
  }

  // How a Windows program sees a path of this machine (wine maps / to drive Z:).
  static std::string WindowsPath(const fs::path& path) {
    std::string windows = "Z:" + fs::absolute(path).string();
    for (char& c : windows) {
      if (c == '/') c = '\\';
    }
    return windows;
  }

 private:
  Wine() {
    if (WindowsDir().empty()) {
      problem_ = "nothing is cross-built (no mingw-w64)";
      return;
    }
    wine_ = Find();
    if (wine_.empty()) {
      problem_ = "wine is not installed";
      return;
    }
    prefix_ = WindowsDir() / "wine-prefix";
    Prepare();
  }

  static std::string Find() {
    const auto onPath = [](const char* name) -> std::string {
      const auto found = RunCommand(std::string("command -v ") + name);
      if (found.status != 0 || found.output.empty()) return {};
      return found.output.substr(0, found.output.find('\n'));
    };
    if (std::string wine64 = onPath("wine64"); !wine64.empty()) return wine64;
    // Debian keeps the 64-bit loader off the search path, behind a wrapper that warns.
    if (fs::exists("/usr/lib/wine/wine64")) return "/usr/lib/wine/wine64";
    return onPath("wine");
  }

  std::string Environment() const {
    // Quiet, and without the browser and .NET installers a new prefix would offer.
    return "WINEPREFIX=" + Quote(prefix_) + " WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml='";
  }

  // Test programs run side by side: the first creates the prefix, under a lock.
  void Prepare() {
    const int lock = open((prefix_.string() + ".lock").c_str(), O_CREAT | O_RDWR, 0644);
    if (lock < 0 || flock(lock, LOCK_EX) != 0) {
      problem_ = "cannot lock the wine prefix";
      if (lock >= 0) close(lock);
      return;
    }
    if (!fs::exists(prefix_ / "system.reg")) {
      const auto booted = RunCommand(Environment() + " " + Quote(wine_) + " wineboot --init");
      if (!fs::exists(prefix_ / "system.reg")) {
        problem_ = "wineboot failed: " + booted.output;
      }
    }
    close(lock);
  }

  std::string wine_;
  fs::path prefix_;
  std::string problem_;
};

}  // namespace campfire_test
