// Laying out the pie of 16 slices at the design size (770 x 473 at 120 dpi), as each
// repaint of the chart does; the text widths come from a fixed-width font rather than a DC.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "reports/pie_layout.h"

namespace {

class FixedWidthMetrics : public zobl::ChartTextMetrics {
 public:
  zobl::TextExtent Measure(zobl::ChartFont font, std::string_view text) const override {
    const int n = static_cast<int>(text.size());
    return font == zobl::ChartFont::Title ? zobl::TextExtent{8 * n, 16} : zobl::TextExtent{6 * n, 13};
  }
};

// In ascending order as the chart receives them, each 1.6 times the one before.
std::vector<zobl::PieSlice> SixteenSlices() {
  std::vector<zobl::PieSlice> slices;
  double value = 37.5;
  for (int k = 0; k < 16; ++k, value *= 1.6) {
    slices.push_back({value, "Program " + std::to_string(k) + "+Tools", {static_cast<std::uint8_t>(15 * k), 96, 200}});
  }
  return slices;
}

void LayOutSixteenSlices(benchmark::State& state) {
  const zobl::PieChartInput input{770, 473, {212, 208, 200}, 100, 8, {}};
  const std::vector<zobl::PieSlice> slices = SixteenSlices();
  const FixedWidthMetrics metrics;
  for (auto _ : state) {
    zobl::PieChartLayout layout = zobl::LayOutPieChart(input, slices, metrics);
    benchmark::DoNotOptimize(layout);
  }
  state.SetItemsProcessed(state.iterations());
}

BENCHMARK(LayOutSixteenSlices)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
