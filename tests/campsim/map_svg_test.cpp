// The --map picture: a well-formed SVG that a real renderer draws, with every place of the
// camp and a trail for whoever moved.
#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "campsim/campsim_run.h"
#include "tools/campsim/camp/camp_tables.h"

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
  EXPECT_EQ(Count(*svg_, "<title>"), campsim::kRemarkSpots.size())
      << "one square for each remark spot";
  EXPECT_EQ(Count(*svg_, "width=\"4\" height=\"4\" fill=\"#6b4f2a\""), campsim::kPropCount + 1)
      << "each of the camp's props and the legend's sample";
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

namespace {

struct Label {
  double x, y, size;
  std::string text, fill;
  double Width() const { return static_cast<double>(text.size()) * size * 0.55; }
  bool Overlaps(const Label& o) const {
    const double top = y - size * 0.75, otherTop = o.y - o.size * 0.75;
    return x < o.x + o.Width() && o.x < x + Width() && top < otherTop + o.size * 0.9 &&
           otherTop < top + size * 0.9;
  }
};

std::vector<Label> LabelsIn(const std::string& svg) {
  static const std::regex text(
      R"re(<text x="([-0-9.]+)" y="([-0-9.]+)" font-size="([0-9]+)" fill="([^"]+)"[^>]*>([^<]*)</text>)re");
  std::vector<Label> labels;
  for (auto it = std::sregex_iterator(svg.begin(), svg.end(), text); it != std::sregex_iterator();
       ++it) {
    labels.push_back(
        Label{std::stod((*it)[1]), std::stod((*it)[2]), std::stod((*it)[3]), (*it)[5], (*it)[4]});
  }
  return labels;
}

// The part of the picture drawn inside a panel's clip.
std::string Panel(const std::string& svg, const std::string& clip) {
  const auto start = svg.find("<g clip-path=\"url(#" + clip + ")\">");
  return svg.substr(start, svg.find("</g>", start) - start);
}

TEST_F(MapOfTheTour, LabelsOfTheCampHideNoOtherAndEveryRemarkSpotIsNumbered) {
  const auto labels = LabelsIn(Panel(*svg_, "camp"));
  ASSERT_GT(labels.size(), 40u);
  for (std::size_t i = 0; i < labels.size(); ++i) {
    for (std::size_t j = i + 1; j < labels.size(); ++j) {
      EXPECT_FALSE(labels[i].Overlaps(labels[j]))
          << "\"" << labels[i].text << "\" and \"" << labels[j].text << "\"";
    }
  }
  std::set<std::string> numbers;
  for (const Label& l : labels) {
    if (l.fill == "#8e44ad") numbers.insert(l.text);
  }
  for (int n = 1; n <= 17; ++n) EXPECT_EQ(numbers.count(std::to_string(n)), 1u) << n;
}

TEST_F(MapOfTheTour, TheInsetsStartAndEndAreWrittenInsideIt) {
  static const std::regex clip(
      R"re(<clipPath id="route"><rect x="([-0-9.]+)" y="[-0-9.]+" width="([0-9.]+)")re");
  std::smatch m;
  ASSERT_TRUE(std::regex_search(*svg_, m, clip));
  const double left = std::stod(m[1]);
  const double right = left + std::stod(m[2]);
  int found = 0;
  for (const Label& l : LabelsIn(Panel(*svg_, "route"))) {
    if (l.text != "start" && l.text != "end") continue;
    ++found;
    EXPECT_GE(l.x, left) << l.text;
    EXPECT_LE(l.x + l.Width(), right) << l.text;
  }
  EXPECT_EQ(found, 2);
}

}  // namespace
