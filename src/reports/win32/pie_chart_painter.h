#pragma once

#include <windows.h>

#include "reports/pie_layout.h"

namespace zobl {

// The chart's fonts on one device: the title's and the one of the legend and marks.
struct PieChartFonts {
  HFONT title;
  HFONT text;
};

// Measures texts as the painter will draw them, on the painter's own device.
class GdiChartTextMetrics final : public ChartTextMetrics {
 public:
  GdiChartTextMetrics(HDC dc, const PieChartFonts& fonts) : dc_(dc), fonts_(fonts) {}
  [[nodiscard]] TextExtent Measure(ChartFont font, std::string_view text) const override;

 private:
  HDC dc_;
  PieChartFonts fonts_;
};

// Draws a laid-out chart: it decides nothing, it only walks the layout.
void PaintPieChart(HDC dc, const PieChartLayout& layout, const PieChartFonts& fonts);

}  // namespace zobl
