// The guides name files of the repository, in prose and in the commands they ask a reader to
// run; a file moved or renamed must not leave them pointing at nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kRoot = CAMPFIRE_SOURCE_DIR;

// A path from the repository's root, not part of a longer one such as build/fuzz/fuzz/...
const std::regex kRootPath(
    R"((?:^|[^A-Za-z0-9_./-])((?:src|sim|tools|tests|examples|scripts|docs|fuzz|bench)/)"
    R"([A-Za-z0-9_./-]*[A-Za-z0-9_]))");
// A file named without its folder, beside a full path on the same line (a table's cell).
const std::regex kBareName(R"(`([A-Za-z0-9_]+\.(?:h|cpp))`)");

std::vector<std::string> Lines(const fs::path& file) {
  std::ifstream in(file);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Every path the guide names that is not in the repository, with its line number.
std::vector<std::string> MissingPaths(const char* guide) {
  const std::vector<std::string> lines = Lines(kRoot / guide);
  EXPECT_FALSE(lines.empty()) << guide;
  std::vector<std::string> missing;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    const std::string where = std::string(guide) + ":" + std::to_string(i + 1) + ": ";
    fs::path folder;
    for (std::sregex_iterator m(line.begin(), line.end(), kRootPath), end; m != end; ++m) {
      const fs::path named = (*m)[1].str();
      if (folder.empty()) folder = named.parent_path();
      if (!fs::exists(kRoot / named)) missing.push_back(where + named.string());
    }
    if (folder.empty()) continue;
    for (std::sregex_iterator m(line.begin(), line.end(), kBareName), end; m != end; ++m) {
      const fs::path named = folder / (*m)[1].str();
      if (!fs::exists(kRoot / named)) missing.push_back(where + named.string());
    }
  }
  return missing;
}

TEST(DocPaths, EveryFileTheGuidesNameExists) {
  std::vector<std::string> guides = {"README.md"};
  for (const auto& page : fs::directory_iterator(kRoot / "docs")) {
    if (page.path().extension() == ".md")
      guides.push_back("docs/" + page.path().filename().string());
  }
  for (const std::string& guide : guides) {
    EXPECT_EQ(MissingPaths(guide.c_str()), std::vector<std::string>{}) << guide;
  }
}

// The check itself: a path that is not there is reported, with its line.
TEST(DocPaths, AMissingFileIsReported) {
  const fs::path dir = fs::path(::testing::TempDir()) / "doc_paths";
  fs::create_directories(dir);
  const fs::path guide = dir / "guide.md";
  std::ofstream(guide) << "Run `scripts/tour.sh examples/no_such_visit.json`.\n"
                       << "| Routines | `src/companions/charles_steps.h`, `nobody_steps.h` |\n"
                       << "Not ours: build/fuzz/fuzz/campfire_world_fuzzer\n";
  const std::vector<std::string> expected = {
      guide.string() + ":1: examples/no_such_visit.json",
      guide.string() + ":2: src/companions/nobody_steps.h",
  };
  EXPECT_EQ(MissingPaths(guide.c_str()), expected);
}

}  // namespace
