// A reader follows the guides from page to page: every link must lead somewhere, and what a
// player is told in two places must be told in the same words.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace guide_links {

namespace fs = std::filesystem;

const fs::path kRoot = CAMPFIRE_SOURCE_DIR;

std::string Text(const fs::path& file) {
  std::ifstream in(file);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// A heading's anchor as the pages are rendered: lower case, spaces to dashes, no punctuation.
std::set<std::string> Anchors(const fs::path& page) {
  std::set<std::string> anchors;
  std::istringstream in(Text(page));
  for (std::string line; std::getline(in, line);) {
    const auto text = line.find_first_not_of('#');
    if (text == 0 || text == std::string::npos || line[text] != ' ') continue;
    std::string anchor;
    for (char c : line.substr(text + 1)) {
      if (std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_') {
        anchor += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      } else if (c == ' ') {
        anchor += '-';
      }
    }
    anchors.insert(anchor);
  }
  return anchors;
}

TEST(Guides, EveryLinkLeadsToAPageAndHeadingThatExist) {
  std::vector<fs::path> pages = {kRoot / "README.md"};
  for (const auto& entry : fs::directory_iterator(kRoot / "docs")) {
    if (entry.path().extension() == ".md") pages.push_back(entry.path());
  }
  const std::regex link(R"(\]\(([^)#\s]*)(#[^)\s]*)?\))");
  std::vector<std::string> broken;
  for (const fs::path& page : pages) {
    const std::string text = Text(page);
    for (std::sregex_iterator m(text.begin(), text.end(), link), end; m != end; ++m) {
      const std::string file = (*m)[1].str();
      if (file.rfind("http", 0) == 0) continue;
      const fs::path target = file.empty() ? page : page.parent_path() / file;
      const std::string anchor = (*m)[2].matched ? (*m)[2].str().substr(1) : "";
      if (!fs::exists(target) || (!anchor.empty() && !Anchors(target).count(anchor))) {
        broken.push_back(fs::relative(page, kRoot).string() + ": " + (*m)[0].str());
      }
    }
  }
  EXPECT_EQ(broken, std::vector<std::string>{});
}

// Where the camp is, in the README's words and the install guide's, whatever the wrapping.
TEST(Guides, ThePlayersAreToldWhereTheCampIsInTheSameWords) {
  const std::regex where(R"(The camp stands around[^.]*away\.)");
  std::vector<std::string> said;
  for (const char* guide : {"README.md", "docs/INSTALL.txt"}) {
    const std::string text = std::regex_replace(Text(kRoot / guide), std::regex(R"(\s+)"), " ");
    std::smatch m;
    ASSERT_TRUE(std::regex_search(text, m, where)) << guide;
    said.push_back(m.str());
  }
  EXPECT_EQ(said[0], said[1]);
}

}  // namespace guide_links
