// campsim's own command line: what it cannot use is refused in one line with exit 2,
// before any frame runs.
#include <gtest/gtest.h>

#include <string>

#include "campsim/campsim_run.h"

namespace {

using campsim_test::ExpectCommandRefused;
using campsim_test::RunCampsimWith;

TEST(CommandLine, AnEmptyFileNameIsRefusedRatherThanPlayingTheTour) {
  ExpectCommandRefused({""}, "campsim: the scenario file's name is empty");
}

TEST(CommandLine, ASeedMustBeAWholeNumberThatFitsSixtyFourBits) {
  const std::string expected =
      "campsim: --seed must be a whole number from 0 to 18446744073709551615, not ";
  for (const std::string seed : {"-1", "99999999999999999999", "1.5", "7x", "+3"}) {
    SCOPED_TRACE(seed);
    ExpectCommandRefused({"--seed", seed}, expected + "\"" + seed + "\"");
  }
  const auto largest = RunCampsimWith({"--seed", "18446744073709551615", "--quiet"});
  EXPECT_EQ(largest.code, 0) << largest.err;
}

TEST(CommandLine, ASoakDurationIsRefusedInOneShortLine) {
  const std::string expected =
      "campsim: --soak must be a whole number of ms, s, m, h or d from 1s to 366d, not ";
  for (const std::string duration :
       {"0s", "999ms", "367d", "99999999999999999999d", "-1h", "6", "6x", "1.5h"}) {
    SCOPED_TRACE(duration);
    ExpectCommandRefused({"--soak", duration}, expected + "\"" + duration + "\"");
  }
}

}  // namespace
