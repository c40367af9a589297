#include "reports/pie_data.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <utility>
#include <vector>

#include "reports/pie_groups.h"

namespace zobl {
namespace {

constexpr double kBytesPerKilobyte = 1024.0;
constexpr int kHueSegments = 6;

// One slice per group, ascending by value, except that past the 15 largest the pie is
// unreadable: the smaller ones become one slice, placed by its size. The lump counts
// whole kilobytes and drops the fraction at every addition, so a crowd of tiny programs
// may come to nothing and then gets no slice. Only the slices kept enter the series:
// with a directory per program, most groups are lumped.
void FillSlices(std::vector<PieGroup> groups, PieSeries& series) {
  std::vector<double> values;
  values.reserve(groups.size());
  for (const PieGroup& group : groups) values.push_back(static_cast<double>(group.bytes) / kBytesPerKilobyte);
  std::vector<std::size_t> ascending(groups.size());
  std::iota(ascending.begin(), ascending.end(), std::size_t{0});
  std::stable_sort(ascending.begin(), ascending.end(),
                   [&](std::size_t a, std::size_t b) { return values[a] < values[b]; });

  const std::size_t lumped = groups.size() > kMostSlicesBeforeLumping ? groups.size() - kMostSlicesBeforeLumping : 0;
  std::int64_t lump = 0;
  for (std::size_t k = 0; k < lumped; ++k) {
    lump = static_cast<std::int64_t>(static_cast<double>(lump) + values[ascending[k]]);
  }
  for (std::size_t k = lumped; k < ascending.size(); ++k) {
    series.Add(values[ascending[k]], std::move(groups[ascending[k]].label), {});
  }
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

void RefreshPie(const InventoryList& list, PieSeries& series) {
  series.Clear();
  series.SetValueOrder(ValueOrder::Ascending);
  FillSlices(GroupByDirectory(list), series);
  ColourByArc(series);
  series.Repaint();
}

}  // namespace zobl
