// The shipped Campfire.asi as the Windows loader sees it: what it imports and exports.
// A missing runtime DLL or a stray export is what most often keeps a plugin from loading.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <regex>
#include <set>
#include <string>

namespace {

std::string Objdump(const std::string& path) {
  const std::string command = "x86_64-w64-mingw32-objdump -p '" + path + "' 2>&1";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  std::string out;
  char buffer[4096];
  while (pipe && std::fgets(buffer, sizeof buffer, pipe.get())) out += buffer;
  return out;
}

struct PeImports {
  std::set<std::string> dlls;
  std::set<std::string> hostNames;  // names imported from ScriptHookRDR2.dll
  int exportedNames = -1;
};

PeImports ReadImports(const std::string& dump) {
  PeImports pe;
  const std::regex dllName(R"(^\s*DLL Name: (\S+))");
  const std::regex hint(R"(^\s+[0-9a-f]+\s+\d+\s+(\S+)\s*$)");
  std::string current;
  std::size_t start = 0;
  while (start < dump.size()) {
    std::size_t end = dump.find('\n', start);
    if (end == std::string::npos) end = dump.size();
    const std::string line = dump.substr(start, end - start);
    start = end + 1;
    std::smatch m;
    if (std::regex_search(line, m, dllName)) {
      current = m[1];
      pe.dlls.insert(current);
    } else if (line.find("The Export Tables") != std::string::npos ||
               line.find("There is an export table") != std::string::npos) {
      current.clear();
    } else if (current == "ScriptHookRDR2.dll" && std::regex_match(line, m, hint)) {
      pe.hostNames.insert(m[1]);
    }
  }
  // The export directory's count of named entries; absent when there is no directory.
  std::smatch count;
  const std::regex namedEntries(R"(\[Name Pointer/Ordinal\] Table\s+([0-9a-fA-F]+))");
  pe.exportedNames =
      std::regex_search(dump, count, namedEntries) ? std::stoi(count[1], nullptr, 16) : 0;
  return pe;
}

TEST(WindowsBinary, ImportsOnlyTheHostsSixFunctionsAndSystemDlls) {
  const std::string path = CAMPFIRE_ASI_PATH;
  if (path.empty()) GTEST_SKIP() << "Campfire.asi is not built (no mingw-w64)";
  const std::string dump = Objdump(path);
  ASSERT_NE(dump.find("file format pei-x86-64"), std::string::npos) << dump.substr(0, 400);
  const PeImports pe = ReadImports(dump);

  const std::set<std::string> expected = {
      "?scriptRegister@@YAXPEAUHINSTANCE__@@P6AXXZ@Z",
      "?scriptUnregister@@YAXPEAUHINSTANCE__@@@Z",
      "?scriptWait@@YAXK@Z",
      "?nativeInit@@YAX_K@Z",
      "?nativePush64@@YAX_K@Z",
      "?nativeCall@@YAPEA_KXZ",
  };
  EXPECT_EQ(pe.hostNames, expected);

  // Only the host and DLLs every Windows installation has: no C++ runtime to ship.
  const std::set<std::string> system = {"KERNEL32.dll", "msvcrt.dll", "ScriptHookRDR2.dll",
                                        "USER32.dll", "ADVAPI32.dll"};
  for (const std::string& dll : pe.dlls) {
    EXPECT_TRUE(system.count(dll)) << "imports from " << dll;
    EXPECT_EQ(dll.find("libstdc++"), std::string::npos);
    EXPECT_EQ(dll.find("libgcc"), std::string::npos);
    EXPECT_EQ(dll.find("winpthread"), std::string::npos);
  }
  EXPECT_EQ(pe.exportedNames, 0) << "the plugin exports nothing";
}

}  // namespace
