#include "platform/dpi.h"

#include <gtest/gtest.h>

#include <utility>

#include "dpi_cases.h"

namespace zobl::testing {
namespace {

TEST(Dpi, ScalesAsMulDivRounds) {
  for (const auto& [value, numerator, denominator, expected] : kScaleCases) {
    EXPECT_EQ(ScaleRounded(value, numerator, denominator), expected) << value << "*" << numerator << "/" << denominator;
    if (denominator == 120) {
      EXPECT_EQ(ScaleToDpi(value, numerator), expected) << value << " at " << numerator;
    }
    if (denominator == 72) {
      EXPECT_EQ(PointsToPixels(value, numerator), expected) << value << " at " << numerator;
    }
  }
}

TEST(Dpi, FontHeightsRoundUp) {
  const struct {
    int designHeight, dpi, expected;
  } cases[] = {{0, 96, 0},    {8, 96, 7},    {10, 96, 8}, {13, 96, 11},
               {13, 120, 13}, {13, 144, 16}, {1, 180, 2}, {15, 144, 18}};
  for (const auto& c : cases)
    EXPECT_EQ(FontHeightToDpi(c.designHeight, c.dpi), c.expected) << c.designHeight << " at " << c.dpi;
}

TEST(Dpi, OnlyAScreensResolutionIsFollowed) {
  const std::pair<int, bool> rows[] = {{0, false},  {-96, false}, {47, false},   {48, true},
                                       {960, true}, {961, false}, {65535, false}};
  for (const auto& [dpi, followed] : rows) EXPECT_EQ(IsScreenDpi(dpi), followed) << dpi;
}

}  // namespace
}  // namespace zobl::testing
