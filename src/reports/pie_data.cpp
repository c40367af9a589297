#include "reports/pie_data.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "reports/pie_groups.h"

namespace zobl {
namespace {

constexpr double kBytesPerKilobyte = 1024.0;
constexpr int kHueSegments = 6;

// Past the 15 largest slices the pie is unreadable: the smaller ones become one slice.
// The lump counts whole kilobytes and drops the fraction at every addition, so a crowd
// of tiny programs may come to nothing and then gets no slice.
void LumpAllButLargest(PieSeries& series) {
  if (series.Count() <= kMostSlicesBeforeLumping) return;
  const std::size_t lumped = series.Count() - kMostSlicesBeforeLumping;
  std::int64_t lump = 0;
  for (std::size_t k = 0; k < lumped; ++k) {
    lump = static_cast<std::int64_t>(static_cast<double>(lump) + series.ValueAt(k));
  }
  series.DeleteFirst(lumped);
  if (lump <= 0) return;
  series.Add(static_cast<double>(lump), kOtherProgramsLabel, {});
  series.Sort();
}

// Each slice takes the hue at the middle of its arc, so neighbours differ by their sizes.
void ColourByArc(PieSeries& series) {
  if (series.Count() == 0) return;
  const double total = series.Total();
  double before = 0;
  for (std::size_t k = 0; k < series.Count(); ++k) {
    const double share = series.ValueAt(k) / total;
    series.SetColour(k, PieHueColour((share * 0.5 + before) * kHueSegments));
    before += share;
  }
}

}  // namespace

Rgb PieHueColour(double position) {
  // The last segment ends on red, where the first begins: 6 is taken as its end.
  if (!(position > 0)) position = 0;  // NaN too
  if (position > kHueSegments) position = kHueSegments;
  const int segment = std::min(static_cast<int>(position), kHueSegments - 1);
  const auto up = static_cast<std::uint8_t>((position - segment) * 255);
  const auto down = static_cast<std::uint8_t>(255 - up);
  switch (segment) {
    case 0: return {255, 0, up};
    case 1: return {down, 0, 255};
    case 2: return {0, up, 255};
    case 3: return {0, 255, down};
    case 4: return {up, 255, 0};
    default: return {255, down, 0};
  }
}

void PieRefresh(const InventoryList& list, PieSeries& series) {
  series.Clear();
  series.SetValueOrder(ValueOrder::Ascending);
  for (PieGroup& group : GroupByDirectory(list)) {
    series.Add(static_cast<double>(group.bytes) / kBytesPerKilobyte, std::move(group.label), {});
  }
  series.Sort();
  LumpAllButLargest(series);
  ColourByArc(series);
  series.Repaint();
}

}  // namespace zobl
