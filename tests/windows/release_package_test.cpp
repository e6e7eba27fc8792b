// The players' zip, packed by CPack from the cross build: what is in it and what never is.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <sstream>
#include <string>

#include "windows/windows_build.h"

namespace {

using campfire_test::fs::path;

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// Files that belong to the host, its loader or the simulator. A player who unpacked one of
// them over their own would break their installation.
bool IsHostOrLoaderFile(const std::string& name) {
  const std::string lower = Lower(name);
  const auto endsWith = [&](const std::string& tail) {
    return lower.size() >= tail.size() &&
           lower.compare(lower.size() - tail.size(), tail.size(), tail) == 0;
  };
  return lower.find("scripthook") != std::string::npos ||
         lower.find("dinput8") != std::string::npos || lower.find("campsim") != std::string::npos ||
         endsWith(".dll") || endsWith(".exe") || endsWith(".so") || endsWith(".lib") ||
         endsWith(".a");
}

class ReleasePackage : public ::testing::Test {
 protected:
  void SetUp() override {
    windows_ = campfire_test::WindowsDir();
    if (windows_.empty()) GTEST_SKIP() << "Campfire.asi is not cross-built (no mingw-w64)";
    if (!campfire_test::fs::exists(windows_ / "CPackConfig.cmake")) {
      GTEST_SKIP() << "the cross build has no packaging configuration";
    }
    ASSERT_FALSE(scratch_.path().empty());
    const auto packed =
        campfire_test::RunCommand(std::string(CAMPFIRE_CPACK) + " --config " +
                                  campfire_test::Quote(windows_ / "CPackConfig.cmake") + " -B " +
                                  campfire_test::Quote(scratch_.path()));
    ASSERT_EQ(packed.status, 0) << packed.output;
    zip_ = scratch_.path() / ("Campfire-" + std::string(CAMPFIRE_VERSION) + ".zip");
    ASSERT_TRUE(campfire_test::fs::exists(zip_)) << packed.output;
  }

  std::set<std::string> Entries() const {
    const auto listed = campfire_test::RunCommand("unzip -Z1 " + campfire_test::Quote(zip_));
    EXPECT_EQ(listed.status, 0) << listed.output;
    std::set<std::string> names;
    std::istringstream lines(listed.output);
    for (std::string line; std::getline(lines, line);) {
      if (!line.empty()) names.insert(line);
    }
    return names;
  }

  path Unpack() const {
    const path into = scratch_.path() / "unpacked";
    const auto unpacked = campfire_test::RunCommand("unzip -q " + campfire_test::Quote(zip_) +
                                                    " -d " + campfire_test::Quote(into));
    EXPECT_EQ(unpacked.status, 0) << unpacked.output;
    return into;
  }

  path windows_;
  campfire_test::ScratchDir scratch_;
  path zip_;
};

TEST_F(ReleasePackage, HoldsThePluginAtItsRootWithTheGuideLicenceAndChangelog) {
  const std::set<std::string> expected = {"Campfire.asi", "INSTALL.txt", "LICENSE.txt",
                                          "CHANGELOG.md"};
  EXPECT_EQ(Entries(), expected) << "unpacking into the game's folder must put Campfire.asi "
                                    "next to the executable, with nothing else of ours";
}

TEST_F(ReleasePackage, NeverHoldsTheHostTheLoaderOrTheSimulator) {
  for (const std::string& name : Entries()) {
    EXPECT_FALSE(IsHostOrLoaderFile(name)) << name << " must not be shipped";
  }
}

TEST_F(ReleasePackage, ShipsThePluginThatWasTested) {
  const path unpacked = Unpack();
  const std::string shipped = campfire_test::ReadBytes(unpacked / "Campfire.asi");
  ASSERT_FALSE(shipped.empty());
  EXPECT_TRUE(shipped == campfire_test::ReadBytes(windows_ / "Campfire.asi"))
      << "the zip's Campfire.asi differs from the one the tests ran";
  EXPECT_EQ(campfire_test::ReadBytes(unpacked / "LICENSE.txt"),
            campfire_test::ReadBytes(path(CAMPFIRE_SOURCE_DIR) / "LICENSE"));
  EXPECT_EQ(campfire_test::ReadBytes(unpacked / "INSTALL.txt"),
            campfire_test::ReadBytes(path(CAMPFIRE_SOURCE_DIR) / "docs" / "INSTALL.txt"));
}

TEST(ReleaseNotes, TheChangelogHasAnEntryForThisVersion) {
  const std::string changelog =
      campfire_test::ReadBytes(path(CAMPFIRE_SOURCE_DIR) / "CHANGELOG.md");
  EXPECT_NE(changelog.find("\n## " + std::string(CAMPFIRE_VERSION) + "\n"), std::string::npos)
      << "CHANGELOG.md has no \"## " << CAMPFIRE_VERSION << "\" heading";
}

}  // namespace
