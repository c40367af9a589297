#include "reports/pie_reading.h"

#include <gtest/gtest.h>

#include <numbers>
#include <optional>

namespace zobl::testing {
namespace {

constexpr double kDegree = std::numbers::pi / 180;

// A pie of radius 50 round (100, 100) with a rim 10 deep: "Small" from 0 to 90 degrees on
// the screen, "Large" from 90 round to 360; the rim under the lower half is Large's.
PieChartLayout TwoWedges() {
  PieChartLayout layout;
  layout.pieShown = true;
  layout.centre = {100, 100};
  layout.radiusX = layout.radiusY = 50;
  layout.rimDepth = 10;
  layout.wedges.resize(2);
  layout.wedges[0].start = 10 * kDegree;  // from the chart's rotation, 350 degrees
  layout.wedges[0].end = 100 * kDegree;
  layout.wedges[1].start = 100 * kDegree;
  layout.wedges[1].end = 370 * kDegree;
  layout.wedges[1].rimArcs = {{540 * kDegree, 720 * kDegree}};
  return layout;
}

// Names and values are read from the real chart in the window tests; here, where each is.
TEST(PieReadingTest, EachSliceIsPlacedWhereItIsDrawn) {
  const std::vector<SliceReading> reading =
      ReadPie({{1000, "Small", {}}, {3000, "Large", {}}}, TwoWedges(), NumberSeparators{});
  ASSERT_EQ(reading.size(), 2u);
  EXPECT_EQ(reading[0].place, (ChartRect{50, 50, 151, 161})) << "three quarters of the pie and the rim";
  EXPECT_EQ(reading[1].place, (ChartRect{100, 50, 151, 101})) << "the upper right quarter";
}

TEST(PieReadingTest, SliceAtAPointInTheLegendsOrder) {
  const PieChartLayout layout = TwoWedges();
  const struct {
    ChartPoint point;
    std::optional<std::size_t> slice;
  } rows[] = {{{120, 80}, 1}, {{80, 120}, 0}, {{130, 110}, 0}, {{100, 30}, std::nullopt}, {{155, 100}, std::nullopt}};
  for (const auto& row : rows) EXPECT_EQ(SliceAt(layout, row.point), row.slice) << row.point.x << "," << row.point.y;
}

}  // namespace
}  // namespace zobl::testing
