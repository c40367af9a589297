#pragma once

namespace zobl {

// The windows are laid out for 120 dots per inch and scaled to the screen's.
inline constexpr int kDesignDpi = 120;
inline constexpr int kPointsPerInch = 72;

// The resolutions a window follows. A dpi change outside them is no screen's (a dpi of 0
// would divide the next scaling by zero), and is ignored.
inline constexpr int kLowestScreenDpi = 48;
inline constexpr int kHighestScreenDpi = 960;
constexpr bool IsScreenDpi(int dpi) { return dpi >= kLowestScreenDpi && dpi <= kHighestScreenDpi; }

// value * numerator / denominator (denominator > 0), rounded to the nearest with halves
// away from zero, as the system's MulDiv rounds, so lengths scaled here and by GDI agree.
constexpr int ScaleRounded(int value, int numerator, int denominator) {
  const long long product = static_cast<long long>(value) * numerator;
  const long long half = denominator / 2;
  return static_cast<int>(product >= 0 ? (product + half) / denominator : -((-product + half) / denominator));
}

// Design pixels to screen pixels.
constexpr int ScaleToDpi(int designPixels, int dpi) { return ScaleRounded(designPixels, dpi, kDesignDpi); }

// The design's text heights are given in design pixels and round up: a font a fraction too
// small renders wider than it measures on some systems and loses the last letter of tight
// labels and titles.
constexpr int FontHeightToDpi(int designHeight, int dpi) {
  const long long product = static_cast<long long>(designHeight) * dpi;
  return static_cast<int>((product + kDesignDpi - 1) / kDesignDpi);
}

// The chart's and the printed list's text is given in points, rounded to the nearest as
// the system rounds point sizes; both lay their text out by its measured size.
constexpr int PointsToPixels(int points, int dpi) { return ScaleRounded(points, dpi, kPointsPerInch); }

}  // namespace zobl
