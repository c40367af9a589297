#pragma once

namespace zobl::testing {

// value * numerator / denominator rounded to the nearest, halves away from zero, as the
// system's MulDiv rounds: the design's pixels at 120 dpi, points at 72 to the inch, and
// the pictures' 16-unit grid. The same rows are held against MulDiv under Wine.
struct ScaleCase {
  int value;
  int numerator;
  int denominator;
  int expected;
};

inline constexpr ScaleCase kScaleCases[] = {
    {0, 96, 120, 0},     {1, 96, 120, 1},      {3, 96, 120, 2},    {-1, 96, 120, -1},    {770, 96, 120, 616},
    {473, 96, 120, 378}, {100, 120, 120, 100}, {-1, 144, 120, -1}, {473, 144, 120, 568}, {1, 180, 120, 2},
    {-1, 180, 120, -2},  {3, 180, 120, 5},     {-3, 180, 120, -5}, {5, 108, 120, 5},     {-5, 108, 120, -5},
    {8, 96, 72, 11},     {8, 120, 72, 13},     {8, 144, 72, 16},   {1, 108, 72, 2},      {3, 108, 72, 5},
    {1, 24, 16, 2},      {3, 20, 16, 4},       {-1, 24, 16, -2},   {5, 20, 16, 6},
};

}  // namespace zobl::testing
