#include "reports/pie_layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>
#include <tuple>
#include <vector>

// GCC 12 takes the table's defaulted strings for uninitialized at -O2; they are not.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

namespace zobl::testing {
namespace {

// Every character of the text font 6 x 13 pixels, of the title font 8 x 16: the title is
// 224 pixels wide.
class FixedMetrics : public ChartTextMetrics {
 public:
  TextExtent Measure(ChartFont font, std::string_view text) const override {
    const int n = static_cast<int>(text.size());
    return font == ChartFont::Title ? TextExtent{8 * n, 16} : TextExtent{6 * n, 13};
  }
};

// In degrees to the hundredth, so that literals compare exactly.
std::vector<double> Degrees(const std::vector<double>& radians) {
  std::vector<double> degrees;
  for (const double a : radians) degrees.push_back(std::round(a * 18000 / std::numbers::pi) / 100);
  return degrees;
}

// Twelve slices of a tenth of a degree each, three of 10 degrees, one of the rest.
std::vector<PieSlice> Sixteen() {
  std::vector<PieSlice> slices;
  for (int k = 0; k < 16; ++k) {
    const double value = k < 12 ? 1 : k < 15 ? 100 : 3288;
    slices.push_back({value, std::string(1, static_cast<char>('A' + k)), {static_cast<std::uint8_t>(16 * k), 0, 0}});
  }
  return slices;
}

const std::vector<PieSlice> kOne{{4882.8125, "X", {255, 0, 0}}};
const std::vector<double> kSixteenEnds{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 21.2, 31.2, 360};
constexpr Rgb kFace{212, 208, 200};

TEST(PieLayoutTest, LaysOutLegendTitlePieAndMarks) {
  const struct {
    const char* what;
    int width, height;
    std::vector<PieSlice> slices{};
    ChartPoint titleAt{};
    std::size_t entries = 0;
    ChartRect legendBox{};
    LegendEntry top{};
    std::string bottom{};
    ChartPoint centre{};
    int rimDepth = 0;
    std::vector<double> ends{};  // degrees
    // The last wedge; its rim arcs as from, to pairs in screen degrees.
    ChartPoint startPoint{}, endPoint{};
    Rgb rimColour{};
    bool fullCircle = false;
    std::vector<double> rimArcs{}, rimEdges{};
    PieMark mark{};  // the first
  } cases[] = {
      // clang-format off
      {.what = "empty series", .width = 770, .height = 473, .titleAt = {531, 114}},
      {"one slice", 770, 473, kOne, {531, 114}, 1, {17, 9, 83, 24},
       {"4,883Kb X", {27, 10}, {21, 12, 23, 21}, {255, 0, 0}}, "4,883Kb X", {396, 292}, 14, {360},
       {494, 309}, {494, 309}, {191, 0, 0}, true, {350, 360, 540, 710}, {350, 710},
       {"X 100%", {248, 257, 292, 272}, {252, 258}, {305, 276}, {292, 272}, kArrowColour}},
      {"sixteen, tiny ones widened", 770, 473, Sixteen(), {531, 114}, 16, {17, 9, 83, 219},
       {"3,288Kb P", {27, 10}, {21, 12, 23, 21}, {240, 0, 0}}, "1Kb A", {396, 292}, 14, kSixteenEnds,
       {489, 256}, {494, 309}, {176, 0, 0}, false, {540, 710}, {710},
       {"A 0.03%", {501, 325, 551, 340}, {505, 326}, {487, 307}, {501, 325}, kArrowColour}},
      {"larger than designed, margin of 30.5 to even", 1525, 900, kOne, {1271, 216}, 1, {32, 18, 98, 33},
       {"4,883Kb X", {42, 19}, {36, 21, 38, 30}, {255, 0, 0}}, "4,883Kb X", {784, 544}, 30, {360},
       {882, 561}, {882, 561}, {191, 0, 0}, true, {350, 360, 540, 710}, {350, 710},
       {"X 100%", {636, 509, 680, 524}, {640, 510}, {693, 528}, {680, 524}, kArrowColour}},
      {"last slice across 360 and 540 degrees; first unlabelled, arrow in its colour", 770, 473,
       {{1, "", kArrowColour}, {71, "BB", {100, 30, 200}}}, {531, 114}, 2, {17, 9, 71, 37},
       {"71Kb BB", {27, 10}, {21, 12, 23, 21}, {100, 30, 200}}, "1Kb ", {396, 292}, 14, {5, 360},
       {495, 300}, {494, 309}, {36, 0, 136}, false, {355, 360, 540, 710}, {355, 710},
       {"1Kb 1.39%", {501, 321, 563, 336}, {505, 322}, {487, 304}, {501, 321}, kBlack}},
      {"legend cut to the eleven largest, rim of 2.5 to even", 770, 158, Sixteen(), {531, 38}, 11, {17, 3, 83, 148},
       {"3,288Kb P", {27, 4}, {21, 6, 23, 15}, {240, 0, 0}}, "1Kb F", {396, 106}, 2, kSixteenEnds,
       {489, 70}, {494, 123}, {176, 0, 0}, false, {540, 710}, {710},
       {"A 0.03%", {501, 127, 551, 142}, {505, 128}, {487, 121}, {501, 127}, kArrowColour}},
      {"no room for a legend entry", 770, 12, kOne, {531, 3}, 0, {},
       {}, "", {396, 49}, 0, {360},
       {494, 66}, {494, 66}, {191, 0, 0}, true, {350, 360, 540, 710}, {350, 710},
       {"X 100%", {248, 14, 292, 29}, {252, 15}, {305, 33}, {292, 29}, kArrowColour}},
      // clang-format on
  };
  const FixedMetrics metrics;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const PieChartLayout got = LayOutPieChart({c.width, c.height, kFace, 100, 8, {}}, c.slices, metrics);
    EXPECT_EQ(got.titleAt, c.titleAt);
    EXPECT_EQ(std::tie(got.legendShown, got.pieShown), std::tuple(c.entries > 0, !c.ends.empty()));
    ASSERT_EQ(got.legend.size(), c.entries);
    if (c.entries > 0) {
      const LegendEntry& top = got.legend.front();
      EXPECT_EQ(got.legendBox, c.legendBox);
      EXPECT_EQ(std::tie(top.text, top.textAt, top.colourBox, top.colour),
                std::tie(c.top.text, c.top.textAt, c.top.colourBox, c.top.colour));
      EXPECT_EQ(got.legend.back().text, c.bottom);
    }
    ASSERT_EQ(got.marks.size(), c.ends.size());
    std::vector<double> ends;
    for (const PieWedge& wedge : got.wedges) ends.push_back(wedge.end);
    EXPECT_EQ(Degrees(ends), c.ends);
    if (c.ends.empty()) continue;
    EXPECT_EQ(got.centre, c.centre);
    EXPECT_EQ(std::tie(got.radiusX, got.radiusY, got.rimDepth), std::tuple(100, 100, c.rimDepth));
    const PieWedge& last = got.wedges.back();
    std::vector<double> arcs;
    for (const auto& [from, to] : last.rimArcs) arcs.insert(arcs.end(), {from, to});
    EXPECT_EQ(std::tie(last.startPoint, last.endPoint, last.rimColour, last.drawn, last.fullCircle),
              std::tuple(c.startPoint, c.endPoint, c.rimColour, true, c.fullCircle));
    EXPECT_EQ(Degrees(arcs), c.rimArcs);
    EXPECT_EQ(Degrees(last.rimEdges), c.rimEdges);
    const PieMark& m = got.marks.front();
    EXPECT_EQ(std::tie(m.text, m.box, m.textAt, m.arrowFrom, m.arrowTo, m.arrowColour),
              std::tie(c.mark.text, c.mark.box, c.mark.textAt, c.mark.arrowFrom, c.mark.arrowTo, c.mark.arrowColour));
  }
}

// Designed at 770 x 473, where the pie as laid out above has a rim of 14.
TEST(PieLayoutTest, PieGrowsByAsMuchAsBothSidesOfTheChart) {
  const struct {
    int width, height, radius, rimDepth;
    ChartPoint centre, markAnchor;
  } cases[] = {
      {770, 473, 100, 14, {396, 292}, {292, 272}},
      {1540, 946, 200, 28, {792, 573}, {589, 536}},
      {1540, 600, 127, 18, {792, 367}, {661, 343}},  // grown 600 / 473 times
      {1540, 400, 100, 11, {792, 248}, {688, 228}},  // lower than designed: the rim is 5 % of the room
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.width << "x" << c.height);
    const PieChartLayout got = LayOutPieChart({c.width, c.height, kFace, 100, 8, {}, 770, 473}, kOne, FixedMetrics());
    EXPECT_EQ(std::tie(got.centre, got.radiusX, got.radiusY, got.rimDepth, got.marks.front().arrowTo),
              std::tie(c.centre, c.radius, c.radius, c.rimDepth, c.markAnchor));
  }
}

TEST(PieLayoutTest, ChartTextIsTheTitleThenTheLegend) {
  EXPECT_EQ(PieChartText({}, {}), "Program Files Sorted By Size");
  EXPECT_EQ(PieChartText({{1, "A", {}}, {4882.8125, "B+C", {}}}, {}),
            "Program Files Sorted By Size: 4,883Kb B+C; 1Kb A");
}

}  // namespace
}  // namespace zobl::testing
