// campsim's folders stand in layers, each built on those below it: a file includes nothing
// from a folder above its own, so that the folders never lean on each other in a circle.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace campsim_folders {

namespace fs = std::filesystem;

// From the bottom up; the command line, at the top, is every folder's user.
const std::vector<std::string> kLayers = {"camp", "scenario_file", "timeline", "run",
                                          "map",  "report",        "live",     "play"};

TEST(CampsimFolders, NoFileIncludesAFolderAboveItsOwn) {
  const fs::path campsim = fs::path(CAMPFIRE_SOURCE_DIR) / "tools" / "campsim";
  const std::regex include(R"(#include "tools/campsim/([a-z_]+)/)");
  std::vector<std::string> upward;
  std::size_t folders = 0;
  for (const auto& dir : fs::directory_iterator(campsim)) {
    if (!dir.is_directory()) continue;
    ++folders;
    const auto own = std::find(kLayers.begin(), kLayers.end(), dir.path().filename().string());
    ASSERT_NE(own, kLayers.end()) << dir.path() << " is no layer of campsim's";
    for (const auto& file : fs::directory_iterator(dir.path())) {
      std::ifstream in(file.path());
      for (std::string line; std::getline(in, line);) {
        std::smatch m;
        if (!std::regex_search(line, m, include)) continue;
        if (std::find(kLayers.begin(), own + 1, m[1].str()) == own + 1) {
          upward.push_back(file.path().filename().string() + ": " + line);
        }
      }
    }
  }
  EXPECT_EQ(folders, kLayers.size());
  EXPECT_EQ(upward, std::vector<std::string>{});
}

}  // namespace campsim_folders
