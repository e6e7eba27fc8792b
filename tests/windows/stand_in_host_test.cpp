// The stand-in ScriptHookRDR2.dll the Windows runs load Campfire.asi beside: it must offer
// exactly what the plugin imports, under the same decorated names, and next to nothing
// else the plugin could come to depend on.
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "windows/windows_build.h"

namespace {

using campfire_test::Quote;
using campfire_test::RunCommand;
using campfire_test::WindowsDir;

std::set<std::string> Matches(const std::string& text, const std::regex& pattern) {
  std::set<std::string> found;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    std::smatch m;
    if (std::regex_search(line, m, pattern)) found.insert(m[1]);
  }
  return found;
}

TEST(StandInHost, ExportsWhatThePluginImportsAndOneEntryForTheRunner) {
  if (WindowsDir().empty()) GTEST_SKIP() << "nothing is cross-built (no mingw-w64)";
  const auto dll = WindowsDir() / "ScriptHookRDR2.dll";
  if (!campfire_test::fs::exists(dll)) GTEST_SKIP() << "the stand-in host is not cross-built";

  const auto exports = RunCommand("x86_64-w64-mingw32-objdump -p " + Quote(dll));
  ASSERT_EQ(exports.status, 0) << exports.output;
  // "[   3] ?scriptRegister@@..." rows of the export name table.
  const auto exported = Matches(exports.output, std::regex(R"(^\s*\[\s*\d+\]\s+(\S+)\s*$)"));

  const auto imports =
      RunCommand("x86_64-w64-mingw32-objdump -p " + Quote(WindowsDir() / "Campfire.asi"));
  ASSERT_EQ(imports.status, 0) << imports.output;
  const std::string table =
      imports.output.substr(imports.output.find("DLL Name: ScriptHookRDR2.dll"));
  const auto imported = Matches(table.substr(0, table.find("\n\n")),
                                std::regex(R"(^\s+[0-9a-f]+\s+\d+\s+(\S+)\s*$)"));
  ASSERT_EQ(imported.size(), 6u) << table;

  std::set<std::string> expected = imported;
  expected.insert("campsimConnectHost");
  EXPECT_EQ(exported, expected);
}

}  // namespace
