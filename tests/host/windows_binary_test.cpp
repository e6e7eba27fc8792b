// The shipped Campfire.asi as the Windows loader sees it: what it imports and exports, and
// what it brings into the game's process besides the script. A missing runtime DLL or a
// stray export is what most often keeps a plugin from loading; a TLS callback, an exception
// handler or a constructor run under the loader lock is what a plugin should never add.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

std::string Objdump(const std::string& options, const std::string& path) {
  const std::string command = "x86_64-w64-mingw32-objdump " + options + " '" + path + "' 2>&1";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  std::string out;
  char buffer[4096];
  while (pipe && std::fgets(buffer, sizeof buffer, pipe.get())) out += buffer;
  return out;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

struct PeImage {
  std::map<std::string, std::set<std::string>> imports;  // by DLL, the names taken from it
  int exportedNames = -1;
  std::string tlsDirectory;  // the data directory entry: "address size"
  int languageHandlers = 0;  // functions whose unwind info names an exception handler
  bool unwindInfoRead = false;
};

PeImage ReadHeaders(const std::string& dump) {
  PeImage pe;
  const std::regex dllName(R"(^\s*DLL Name: (\S+))");
  const std::regex hint(R"(^\s+[0-9a-f]+\s+\d+\s+(\S+)\s*$)");
  const std::regex tls(R"(Entry 9 ([0-9a-fA-F]+) ([0-9a-fA-F]+) Thread Storage Directory)");
  std::string current;
  for (const std::string& line : Lines(dump)) {
    std::smatch m;
    if (std::regex_search(line, m, dllName)) {
      current = m[1];
      pe.imports[current];
    } else if (line.find("The Export Tables") != std::string::npos ||
               line.find("There is an export table") != std::string::npos ||
               line.find("The Function Table") != std::string::npos) {
      current.clear();
    } else if (!current.empty() && std::regex_match(line, m, hint)) {
      pe.imports[current].insert(m[1]);
    } else if (std::regex_search(line, m, tls)) {
      pe.tlsDirectory = std::string(m[1]) + " " + std::string(m[2]);
    }
    if (line.find("UNW_FLAG_EHANDLER") != std::string::npos ||
        line.find("UNW_FLAG_UHANDLER") != std::string::npos) {
      ++pe.languageHandlers;
    }
    if (line.find("Version: 1, Flags:") != std::string::npos) pe.unwindInfoRead = true;
  }
  // The export directory's count of named entries; absent when there is no directory.
  std::smatch count;
  const std::regex namedEntries(R"(\[Name Pointer/Ordinal\] Table\s+([0-9a-fA-F]+))");
  pe.exportedNames =
      std::regex_search(dump, count, namedEntries) ? std::stoi(count[1], nullptr, 16) : 0;
  return pe;
}

// The bytes of .text by address, from objdump's hex listing.
std::map<std::uint64_t, std::uint8_t> TextBytes(const std::string& listing) {
  std::map<std::uint64_t, std::uint8_t> bytes;
  const std::regex row(R"(^ ([0-9a-f]+) ((?:[0-9a-f]{2,8} ?){1,4}) )");
  for (const std::string& line : Lines(listing)) {
    std::smatch m;
    if (!std::regex_search(line, m, row)) continue;
    std::uint64_t at = std::stoull(m[1], nullptr, 16);
    const std::string hex = m[2];
    for (std::size_t i = 0; i + 1 < hex.size(); ++i) {
      if (hex[i] == ' ') continue;
      bytes[at++] = static_cast<std::uint8_t>(std::stoul(hex.substr(i, 2), nullptr, 16));
      ++i;
    }
  }
  return bytes;
}

// The linker lays out the constructor and destructor lists in .text, each an 8-byte -1,
// the entries, and an 8-byte 0. Returns the number of lists found and the entries in them.
struct InitLists {
  int lists = 0;
  int entries = 0;
};

InitLists FindInitLists(const std::map<std::uint64_t, std::uint8_t>& bytes) {
  auto word = [&](std::uint64_t at, std::uint64_t& value) {
    value = 0;
    for (int i = 7; i >= 0; --i) {
      const auto it = bytes.find(at + static_cast<std::uint64_t>(i));
      if (it == bytes.end()) return false;
      value = value << 8 | it->second;
    }
    return true;
  };
  InitLists found;
  for (const auto& [at, byte] : bytes) {
    std::uint64_t head = 0;
    if (at % 8 != 0 || byte != 0xff || !word(at, head) || head != ~std::uint64_t{0}) continue;
    ++found.lists;
    std::uint64_t entry = 0;
    for (std::uint64_t p = at + 8; word(p, entry) && entry != 0; p += 8) ++found.entries;
  }
  return found;
}

class WindowsBinary : public testing::Test {
 protected:
  void SetUp() override {
    if (path_.empty()) GTEST_SKIP() << "Campfire.asi is not built (no mingw-w64)";
    dump_ = Objdump("-p", path_);
    ASSERT_NE(dump_.find("file format pei-x86-64"), std::string::npos) << dump_.substr(0, 400);
    pe_ = ReadHeaders(dump_);
  }

  const std::string path_ = CAMPFIRE_ASI_PATH;
  std::string dump_;
  PeImage pe_;
};

// Everything the plugin may import. From the system: nothing of KERNEL32 (no threads, no
// thread contexts, no exception handlers, no TLS, no loader calls), and of msvcrt only the
// memory and string routines the compiler itself may call.
const std::map<std::string, std::set<std::string>> kAllowedImports = {
    {"ScriptHookRDR2.dll",
     {
         "?scriptRegister@@YAXPEAUHINSTANCE__@@P6AXXZ@Z",
         "?scriptUnregister@@YAXPEAUHINSTANCE__@@@Z",
         "?scriptWait@@YAXK@Z",
         "?nativeInit@@YAX_K@Z",
         "?nativePush64@@YAX_K@Z",
         "?nativeCall@@YAPEA_KXZ",
     }},
    {"KERNEL32.dll", {}},
    {"msvcrt.dll", {"memcmp", "memcpy", "memmove", "memset", "strlen"}},
};

TEST_F(WindowsBinary, ImportsTheHostsSixFunctionsAndNothingElseButAllowedRoutines) {
  ASSERT_TRUE(pe_.imports.contains("ScriptHookRDR2.dll"));
  EXPECT_EQ(pe_.imports.at("ScriptHookRDR2.dll"), kAllowedImports.at("ScriptHookRDR2.dll"));
  for (const auto& [dll, names] : pe_.imports) {
    const auto allowed = kAllowedImports.find(dll);
    if (allowed == kAllowedImports.end()) {
      ADD_FAILURE() << "imports from " << dll;
      continue;
    }
    for (const std::string& name : names) {
      EXPECT_TRUE(allowed->second.contains(name)) << "imports " << name << " from " << dll;
    }
  }
  EXPECT_EQ(pe_.exportedNames, 0) << "the plugin exports nothing";
}

TEST_F(WindowsBinary, HasNoTlsDirectorySoNoCallbackRunsOnTheGamesThreads) {
  EXPECT_EQ(pe_.tlsDirectory, "0000000000000000 00000000");
}

TEST_F(WindowsBinary, CarriesNoExceptionRuntime) {
  // x64 unwind info is read (every function has some), and none names a language handler:
  // no personality routine, no throw, no catch.
  ASSERT_TRUE(pe_.unwindInfoRead) << "objdump printed no unwind information";
  EXPECT_EQ(pe_.languageHandlers, 0);
}

TEST_F(WindowsBinary, RunsNoStaticConstructorsUnderTheLoaderLock) {
  const InitLists lists = FindInitLists(TextBytes(Objdump("-s -j .text", path_)));
  EXPECT_EQ(lists.lists, 2) << "the constructor and destructor lists were not found";
  EXPECT_EQ(lists.entries, 0);
}

}  // namespace
