// The version block of Campfire.asi, which players see under Properties > Details and
// which tells a bug report which build it is about.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "windows/windows_build.h"

namespace {

struct Version {
  unsigned major = 0;
  unsigned minor = 0;
  unsigned patch = 0;
};

Version ProjectVersion() {
  Version v;
  std::sscanf(CAMPFIRE_VERSION, "%u.%u.%u", &v.major, &v.minor, &v.patch);
  return v;
}

std::uint32_t ReadU32(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  std::memcpy(&value, bytes.data() + at, sizeof value);  // PE files are little-endian
  return value;
}

std::string Utf16(const std::string& ascii) {
  std::string wide;
  for (char c : ascii) {
    wide += c;
    wide += '\0';
  }
  return wide;
}

// The value of one entry of the version block's string table ("ProductName", ...): the key
// in UTF-16 and its terminator, padding, then the value up to its terminator.
std::string VersionString(const std::string& bytes, const std::string& key) {
  const std::size_t found = bytes.find(Utf16(key) + std::string(2, '\0'));
  if (found == std::string::npos) return "(missing)";
  std::size_t at = found + 2 * (key.size() + 1);
  while (at + 1 < bytes.size() && bytes[at] == '\0' && bytes[at + 1] == '\0') at += 2;
  std::string value;
  for (; at + 1 < bytes.size() && (bytes[at] != '\0' || bytes[at + 1] != '\0'); at += 2) {
    value += bytes[at];
  }
  return value;
}

class VersionResource : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto dir = campfire_test::WindowsDir();
    if (dir.empty()) GTEST_SKIP() << "Campfire.asi is not cross-built (no mingw-w64)";
    asi_ = campfire_test::ReadBytes(dir / "Campfire.asi");
    ASSERT_FALSE(asi_.empty());
  }
  std::string asi_;
};

TEST_F(VersionResource, FileAndProductVersionAreTheProjectVersion) {
  // VS_FIXEDFILEINFO starts with its signature, then the structure version, then the
  // file version and the product version as two 32-bit halves each.
  const std::string signature("\xBD\x04\xEF\xFE", 4);
  const std::size_t at = asi_.find(signature);
  ASSERT_NE(at, std::string::npos) << "Campfire.asi has no version block";
  ASSERT_LE(at + 24, asi_.size());
  const Version v = ProjectVersion();
  const std::uint32_t high = (v.major << 16) | v.minor;
  const std::uint32_t low = v.patch << 16;
  EXPECT_EQ(ReadU32(asi_, at + 8), high) << "file version";
  EXPECT_EQ(ReadU32(asi_, at + 12), low) << "file version";
  EXPECT_EQ(ReadU32(asi_, at + 16), high) << "product version";
  EXPECT_EQ(ReadU32(asi_, at + 20), low) << "product version";
}

TEST_F(VersionResource, NamesTheProductAndDescribesIt) {
  EXPECT_EQ(VersionString(asi_, "ProductName"), "Campfire");
  EXPECT_EQ(VersionString(asi_, "ProductVersion"), CAMPFIRE_VERSION);
  EXPECT_EQ(VersionString(asi_, "FileVersion"), CAMPFIRE_VERSION);
  EXPECT_EQ(VersionString(asi_, "OriginalFilename"), "Campfire.asi");
  const std::string description = VersionString(asi_, "FileDescription");
  EXPECT_NE(description.find("Campfire"), std::string::npos) << description;
  EXPECT_NE(description.find("ScriptHookRDR2"), std::string::npos) << description;
}

}  // namespace
