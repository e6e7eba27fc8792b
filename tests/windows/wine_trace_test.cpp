// The shipped Campfire.asi under a Windows loader: campsim.exe, run by wine, loads it with
// LoadLibrary beside the stand-in ScriptHookRDR2.dll and plays a scenario on Windows fibers.
// Every native call and wait it records must be, byte for byte, what the native build of
// the plugin makes in the simulator for the same scenario and seed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <future>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/campsim/campsim.h"
#include "windows/windows_build.h"
#include "windows/wine.h"

namespace {

using campfire_test::Wine;
using campfire_test::fs::path;

struct TraceRun {
  std::string name;      // the test's name
  std::string scenario;  // a scenario file, or empty for the built-in camp tour
  std::string seed;      // in place of the scenario's own, if not empty
};

// How the run is named in test listings (and in CTest's test names).
void PrintTo(const TraceRun& run, std::ostream* out) {
  *out << (run.scenario.empty() ? "the camp tour" : path(run.scenario).filename().string());
  if (!run.seed.empty()) *out << ", seed " << run.seed;
}

std::vector<TraceRun> Runs() {
  std::vector<TraceRun> runs = {{"CampTour", "", ""}, {"CampTourSeed20261207", "", "20261207"}};
  const path examples = path(CAMPFIRE_SOURCE_DIR) / "examples";
  std::vector<path> files;
  if (campfire_test::fs::is_directory(examples)) {
    for (const auto& entry : campfire_test::fs::directory_iterator(examples)) {
      if (entry.path().extension() == ".json") files.push_back(entry.path());
    }
  }
  std::sort(files.begin(), files.end());
  for (const path& file : files) {
    std::string name = file.stem().string();
    for (char& c : name) {
      if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    }
    runs.push_back({name, file.string(), ""});
  }
  return runs;
}

// Empty if the two files hold the same bytes; otherwise where they first part, for a failure
// message that can be acted on. Line by line, as the traces run to a hundred megabytes.
std::string FirstDifference(const path& native, const path& windows) {
  std::ifstream a(native, std::ios::binary);
  std::ifstream b(windows, std::ios::binary);
  std::string left;
  std::string right;
  for (std::size_t line = 1;; ++line) {
    const bool moreLeft = static_cast<bool>(std::getline(a, left));
    const bool moreRight = static_cast<bool>(std::getline(b, right));
    if (!moreLeft && !moreRight) break;
    if (!moreLeft) left = "(end of trace)";
    if (!moreRight) right = "(end of trace)";
    if (left != right || !moreLeft || !moreRight) {
      return "line " + std::to_string(line) + "\n  native:  " + left + "\n  windows: " + right;
    }
  }
  // Equal lines; only a missing last newline can still set them apart.
  if (campfire_test::fs::file_size(native) != campfire_test::fs::file_size(windows)) {
    return "the same lines, but one trace lacks its last newline";
  }
  return {};
}

std::string WithoutCarriageReturns(std::string text) {
  text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
  return text;
}

class WineTrace : public ::testing::TestWithParam<TraceRun> {
 protected:
  void SetUp() override {
    if (campfire_test::WindowsDir().empty())
      GTEST_SKIP() << "nothing is cross-built (no mingw-w64)";
    if (!campfire_test::fs::exists(campfire_test::WindowsDir() / "campsim.exe")) {
      GTEST_SKIP() << "campsim.exe is not cross-built";
    }
    if (!Wine::Instance().Ready()) GTEST_SKIP() << Wine::Instance().Problem();
    ASSERT_FALSE(scratch_.path().empty());
  }

  campfire_test::ScratchDir scratch_;
};

TEST_P(WineTrace, TheAsiMakesExactlyTheCallsOfTheNativeBuild) {
  const TraceRun& run = GetParam();

  // campsim.exe runs under wine while the native build runs here.
  std::string windowsArgs = "--quiet --trace windows.jsonl";
  if (!run.seed.empty()) windowsArgs += " --seed " + run.seed;
  if (!run.scenario.empty())
    windowsArgs += " " + campfire_test::Quote(Wine::WindowsPath(run.scenario));
  auto windowsRun = std::async(std::launch::async, [&] {
    return Wine::Instance().Run("campsim.exe", windowsArgs, scratch_.path());
  });

  const path nativeTrace = scratch_.path() / "native.jsonl";
  const std::string nativeTraceName = nativeTrace.string();
  std::vector<const char*> args = {"campsim", "--quiet", "--trace", nativeTraceName.c_str()};
  if (!run.seed.empty()) args.insert(args.end(), {"--seed", run.seed.c_str()});
  if (!run.scenario.empty()) args.push_back(run.scenario.c_str());
  std::ostringstream out;
  std::ostringstream err;
  const int nativeStatus =
      campsim::RunCampsim(static_cast<int>(args.size()), args.data(), out, err);
  const auto windows = windowsRun.get();
  ASSERT_NE(nativeStatus, 2) << err.str();
  EXPECT_EQ(windows.status, nativeStatus) << windows.output;

  const path windowsTrace = scratch_.path() / "windows.jsonl";
  ASSERT_TRUE(campfire_test::fs::exists(nativeTrace)) << "the native run wrote no trace";
  ASSERT_TRUE(campfire_test::fs::exists(windowsTrace)) << "campsim.exe wrote no trace:\n"
                                                       << windows.output;
  ASSERT_GT(campfire_test::fs::file_size(nativeTrace), 0u);
  const std::string difference = FirstDifference(nativeTrace, windowsTrace);
  EXPECT_TRUE(difference.empty()) << difference;
}

INSTANTIATE_TEST_SUITE_P(Scenarios, WineTrace, ::testing::ValuesIn(Runs()),
                         [](const auto& test) { return test.param.name; });

class WineRunner : public WineTrace {};

TEST_F(WineRunner, ReportsTheSameVersionAsTheNativeBuild) {
  const char* args[] = {"campsim", "--version"};
  std::ostringstream out;
  std::ostringstream err;
  ASSERT_EQ(campsim::RunCampsim(2, args, out, err), 0) << err.str();
  EXPECT_EQ(out.str(), "campsim " CAMPFIRE_VERSION "\n");
  const auto windows = Wine::Instance().Run("campsim.exe", "--version", scratch_.path());
  EXPECT_EQ(windows.status, 0) << windows.output;
  EXPECT_EQ(WithoutCarriageReturns(windows.output), out.str());
}

TEST_F(WineRunner, LoadsAndUnloadsThePluginAgainAndAgainInOneProcess) {
  if (!campfire_test::fs::exists(campfire_test::WindowsDir() / "reload_check.exe")) {
    GTEST_SKIP() << "reload_check.exe is not cross-built";
  }
  const auto windows = Wine::Instance().Run("reload_check.exe", "", scratch_.path());
  EXPECT_EQ(windows.status, 0) << windows.output;
  const std::string output = WithoutCarriageReturns(windows.output);
  for (int cycle = 1; cycle <= 3; ++cycle) {
    EXPECT_NE(output.find("cycle " + std::to_string(cycle) + ": registered, "), std::string::npos)
        << output;
  }
}

}  // namespace
