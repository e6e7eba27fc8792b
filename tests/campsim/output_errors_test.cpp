// An output campsim cannot write whole (a full disk) ends the run with exit 3 and one line
// naming it, never with 0 and a truncated file.
#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <streambuf>
#include <string>

#include "campsim/campsim_run.h"

namespace {

using campsim_test::RunCampsimWith;

const std::string kExample = std::string(CAMPFIRE_SOURCE_DIR) + "/examples/visit_charles.json";

// Standard output on a full disk: every write fails.
class FullDisk final : public std::streambuf {
 protected:
  int_type overflow(int_type) override { return traits_type::eof(); }
  std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

TEST(OutputErrors, AFileOnAFullDiskIsNamedWithANonZeroExit) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{kExample, "--trace", "/dev/full"},
        std::vector<std::string>{kExample, "--map", "/dev/full"},
        std::vector<std::string>{kExample, "--timeline", "/dev/full"},
        // Calls through numbers held across a wait are tolerated until the plugin proves
        // its numbers after every wait: the soak's own failure would hide the output's.
        std::vector<std::string>{"--soak", "10m", "--tolerate-held-across-wait", "--trace",
                                 "/dev/full"}}) {
    SCOPED_TRACE(args[1]);
    const auto run = RunCampsimWith(args);
    EXPECT_EQ(run.code, 3);
    ASSERT_EQ(run.ErrLines().size(), 1u) << run.err;
    EXPECT_EQ(run.err.rfind("campsim: /dev/full: not written whole: ", 0), 0u) << run.err;
    EXPECT_NE(run.out.find("Summary"), std::string::npos) << "the run itself went ahead";
  }
}

TEST(OutputErrors, StandardOutputThatCannotBeWrittenIsNamed) {
  FullDisk full;
  std::ostream out(&full);
  std::ostringstream err;
  const char* argv[] = {"campsim", kExample.c_str()};
  EXPECT_EQ(campsim::RunCampsim(2, argv, out, err), 3);
  EXPECT_EQ(err.str().rfind("campsim: standard output: not written whole: ", 0), 0u) << err.str();
  EXPECT_EQ(campsim_test::CampsimRun::Lines(err.str()).size(), 1u) << err.str();
}

TEST(OutputErrors, OutputsThatAreWrittenWholeEndWithZero) {
  const std::string timeline = campsim_test::TempPath("whole.timeline");
  const auto run = RunCampsimWith({kExample, "--quiet", "--timeline", timeline});
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.err, "");
  // A path, not a concatenation: GCC 12 takes the latter, inlined here, for an overflow.
  const std::filesystem::path example =
      std::filesystem::path(CAMPFIRE_SOURCE_DIR) / "examples" / "visit_charles.timeline";
  const std::string expected = campsim_test::ReadText(example.string());
  const std::string difference =
      campsim_test::FirstDifference(campsim_test::ReadText(timeline), expected);
  EXPECT_TRUE(difference.empty())
      << difference
      << "after a change of behaviour, regenerate examples/visit_charles.timeline as "
         "docs/changing-the-camp.md says";
}

// A long comparison shows the first differing lines of each text, not both texts whole.
TEST(OutputErrors, ALongComparisonShowsWhereTheTextsFirstDiffer) {
  std::string expected;
  for (int i = 1; i <= 500; ++i) expected += "line " + std::to_string(i) + "\n";
  std::string actual = expected;
  actual.replace(actual.find("line 250\n"), 9, "changed\n");
  EXPECT_EQ(campsim_test::FirstDifference(actual, expected),
            "first difference at line 250 (500 lines, 500 expected)\n"
            "expected:\n  250: line 250\n  251: line 251\n  252: line 252\n"
            "actual:\n  250: changed\n  251: line 251\n  252: line 252\n");
  EXPECT_EQ(campsim_test::FirstDifference(expected, expected), "");
  EXPECT_EQ(
      campsim_test::FirstDifference("a\n", "a\nb\n"),
      "first difference at line 2 (1 lines, 2 expected)\nexpected:\n  2: b\nactual:\n  (ends)\n");
}

}  // namespace
