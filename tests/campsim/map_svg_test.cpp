// The --map picture: a well-formed SVG that a real renderer draws, with every place of the
// camp and a trail for whoever moved.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "campsim/campsim_run.h"

namespace {

std::size_t Count(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

class MapOfTheTour : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    path_ = new std::string(campsim_test::TempPath("tour_map.svg"));
    const auto run = campsim_test::RunCampsimWith({"--quiet", "--map", *path_});
    ASSERT_EQ(run.code, 0) << run.err;
    svg_ = new std::string(campsim_test::ReadText(*path_));
  }
  static void TearDownTestSuite() {
    delete path_;
    delete svg_;
  }
  static std::string* path_;
  static std::string* svg_;
};
std::string* MapOfTheTour::path_ = nullptr;
std::string* MapOfTheTour::svg_ = nullptr;

TEST_F(MapOfTheTour, RendersWithARealSvgParser) {
  const std::string png = campsim_test::TempPath("tour_map.png");
  const std::string command = "rsvg-convert --format=png --output='" + png + "' '" + *path_ + "'";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  const std::string image = campsim_test::ReadText(png);
  ASSERT_GT(image.size(), 8u);
  EXPECT_EQ(image.substr(1, 3), "PNG");
}

TEST_F(MapOfTheTour, ShowsEveryPlaceOfTheCamp) {
  EXPECT_EQ(Count(*svg_, "<title>"), 17u) << "one square for each remark spot";
  EXPECT_EQ(Count(*svg_, "width=\"4\" height=\"4\" fill=\"#6b4f2a\""), 14u + 1u)
      << "fourteen props and the legend's sample";
  for (const char* label : {">Charles<", ">Sadie<", ">Karen<", ">Abe<", ">tent centre<", ">wagon<",
                            ">Emerald Ranch fence<", ">3445 units<"}) {
    EXPECT_NE(svg_->find(label), std::string::npos) << label;
  }
}

TEST_F(MapOfTheTour, DrawsATrailForEachCompanionThePlayerAndTheWagon) {
  for (const char* colour : {"#1b1b1b", "#1f77b4", "#d62728", "#2ca02c", "#e67e00", "#8c564b"}) {
    EXPECT_NE(svg_->find("<polyline fill=\"none\" stroke=\"" + std::string(colour)),
              std::string::npos)
        << colour;
  }
}

}  // namespace
