#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/number_separators.h"
#include "reports/pie_layout.h"
#include "reports/pie_series.h"

namespace zobl {

// A slice as a screen reader reads it.
struct SliceReading {
  std::string name;   // the program, or the programs joined by "+", or "All other programs"
  std::string value;  // size and share: "1.20 Gb, 34.5 %"
  ChartRect place;    // what it covers of the chart, rim included
};

// The slices in the legend's order, largest first: each named by its label (its value
// when it has none), its size as the list's size column writes it and its share of the
// pie as the marks write it, and where it is drawn in `layout`, which was laid out from
// the same slices.
std::vector<SliceReading> ReadPie(const std::vector<PieSlice>& slices,
                                  const PieChartLayout& layout,
                                  const NumberSeparators& separators);

// The index, in the legend's order, of the slice drawn at `point`; nothing off the pie.
std::optional<std::size_t> SliceAt(const PieChartLayout& layout, ChartPoint point);

}  // namespace zobl
