// The mod kit, the second release zip: unpacked into an empty folder, its campsim.exe runs
// an example under wine beside its own stand-in host and Campfire.asi, and gives the native
// campsim's timeline and report page, byte for byte but for Windows line ends.
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>

#include "campsim/campsim_run.h"
#include "windows/windows_build.h"
#include "windows/wine.h"

namespace {

using campfire_test::Quote;
using campfire_test::ReadBytes;
using campfire_test::Wine;
using campfire_test::fs::path;

const std::string kKit = "Campfire-modkit-" + std::string(CAMPFIRE_VERSION);

// campsim.exe writes its text files as Windows does, each line ending in CR LF.
std::string WithoutCarriageReturns(std::string text) {
  std::erase(text, '\r');
  return text;
}

class ModKit : public ::testing::Test {
 protected:
  void SetUp() override {
    const path windows = campfire_test::WindowsDir();
    if (windows.empty()) GTEST_SKIP() << "Campfire.asi is not cross-built (no mingw-w64)";
    if (!campfire_test::fs::exists(windows / "campsim.exe")) {
      GTEST_SKIP() << "campsim.exe is not cross-built";
    }
    ASSERT_FALSE(scratch_.path().empty());
    std::ostringstream command;  // not a concatenation, which GCC 12 takes for an overflow
    command << CAMPFIRE_CPACK << " --config " << Quote(windows / "CPackConfig.cmake") << " -B "
            << Quote(scratch_.path() / "package");
    const auto packed = campfire_test::RunCommand(command.str());
    ASSERT_EQ(packed.status, 0) << packed.output;
    zip_ = scratch_.path() / "package" / (kKit + ".zip");
    ASSERT_TRUE(campfire_test::fs::exists(zip_)) << packed.output;
  }

  campfire_test::ScratchDir scratch_;
  path zip_;
};

TEST_F(ModKit, HoldsTheSimulatorTheStandInHostThePluginTheExamplesAndTheGuideInOneFolder) {
  const auto listed = campfire_test::RunCommand("unzip -Z1 " + Quote(zip_));
  ASSERT_EQ(listed.status, 0) << listed.output;
  std::set<std::string> entries;
  std::istringstream lines(listed.output);
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() != '/') entries.insert(line);
  }
  std::set<std::string> expected;
  for (const char* name :
       {"campsim.exe", "ScriptHookRDR2.dll", "Campfire.asi", "README.txt", "LICENSE.txt"}) {
    expected.insert(kKit + "/" + name);
  }
  for (const auto& file :
       campfire_test::fs::directory_iterator(path(CAMPFIRE_SOURCE_DIR) / "examples")) {
    expected.insert(kKit + "/examples/" + file.path().filename().string());
  }
  EXPECT_EQ(entries, expected);
}

TEST_F(ModKit, UnpackedAnywhereRunsAnExampleUnderWineAsTheNativeCampsimDoes) {
  if (!Wine::Instance().Ready()) GTEST_SKIP() << Wine::Instance().Problem();
  const path into = scratch_.path() / "unpacked";
  const auto unpacked = campfire_test::RunCommand("unzip -q " + Quote(zip_) + " -d " + Quote(into));
  ASSERT_EQ(unpacked.status, 0) << unpacked.output;
  const path kit = into / kKit;
  EXPECT_EQ(ReadBytes(kit / "Campfire.asi"),
            ReadBytes(campfire_test::WindowsDir() / "Campfire.asi"))
      << "the kit's Campfire.asi differs from the one the tests ran";

  // From the kit's own folder, with the example the guide names, as a mod maker would.
  const auto windows =
      Wine::Instance().RunProgram(kit / "campsim.exe",
                                  "--quiet --timeline windows.timeline --report windows.html "
                                  "'examples\\visit_charles.json'",
                                  kit);
  ASSERT_EQ(windows.status, 0) << windows.output;

  const path native = scratch_.path() / "native";
  const auto run = campsim_test::RunCampsimWith(
      {"--quiet", "--timeline", native.string() + ".timeline", "--report",
       native.string() + ".html", (kit / "examples" / "visit_charles.json").string()});
  ASSERT_EQ(run.code, 0) << run.err;
  const std::string timeline = ReadBytes(native.string() + ".timeline");
  ASSERT_FALSE(timeline.empty());
  EXPECT_EQ(WithoutCarriageReturns(ReadBytes(kit / "windows.timeline")), timeline);
  EXPECT_EQ(ReadBytes(kit / "examples" / "visit_charles.timeline"), timeline);
  const std::string page = ReadBytes(native.string() + ".html");
  ASSERT_NE(page.find("<html"), std::string::npos);
  EXPECT_TRUE(WithoutCarriageReturns(ReadBytes(kit / "windows.html")) == page)
      << "campsim.exe's report page differs from the native one";
}

}  // namespace
