#include "reports/pie_reading.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "inventory/size_text.h"

namespace zobl {
namespace {

constexpr double kTurn = 2 * std::numbers::pi;
constexpr double kQuarter = std::numbers::pi / 2;
constexpr double kKilobyte = 1024;
constexpr char kShareFormat[] = "##0.##";

struct Bounds {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool empty = true;
  void Include(ChartPoint p) {
    left = empty ? p.x : std::min(left, p.x);
    top = empty ? p.y : std::min(top, p.y);
    right = empty ? p.x : std::max(right, p.x);
    bottom = empty ? p.y : std::max(bottom, p.y);
    empty = false;
  }
  // Right and bottom edges exclusive, as the chart's rectangles.
  [[nodiscard]] ChartRect Rect() const { return {left, top, right + 1, bottom + 1}; }
};

// A point of the pie's outline at a screen angle, `down` pixels lower (the rim's wall).
ChartPoint OnOutline(const PieChartLayout& layout, double screenAngle, int down) {
  return {layout.centre.x + static_cast<int>(layout.radiusX * std::cos(screenAngle)),
          layout.centre.y - static_cast<int>(layout.radiusY * std::sin(screenAngle)) + down};
}

// An arc's extent: its ends and every point where it crosses an axis of the ellipse.
void IncludeArc(Bounds& bounds, const PieChartLayout& layout, double from, double to, int down) {
  bounds.Include(OnOutline(layout, from, down));
  bounds.Include(OnOutline(layout, to, down));
  for (double axis = std::ceil(from / kQuarter) * kQuarter; axis < to; axis += kQuarter) {
    bounds.Include(OnOutline(layout, axis, down));
  }
}

ChartRect WedgePlace(const PieChartLayout& layout, const PieWedge& wedge) {
  Bounds bounds;
  bounds.Include(layout.centre);
  IncludeArc(bounds, layout, wedge.start + kPieRotation, wedge.end + kPieRotation, 0);
  for (const auto& [low, high] : wedge.rimArcs) IncludeArc(bounds, layout, low, high, layout.rimDepth);
  return bounds.Rect();
}

std::string ValueText(const PieSlice& slice, double total, const NumberSeparators& separators) {
  const double kilobytes = std::abs(slice.value);
  std::string size = SizeText(static_cast<std::uint64_t>(std::llround(kilobytes * kKilobyte)));
  // Half a kilobyte or less has no size text in the list: the legend's "0Kb" then.
  if (size.empty()) size = FormatNumber(kilobytes, kValueFormat, separators);
  const double share = total == 0 ? 100 : kilobytes * 100 / total;
  return size + ", " + FormatNumber(share, kShareFormat, separators) + " %";
}

}  // namespace

std::vector<SliceReading> ReadPie(const std::vector<PieSlice>& slices,
                                  const PieChartLayout& layout,
                                  const NumberSeparators& separators) {
  double total = 0;
  for (const PieSlice& slice : slices) total += std::abs(slice.value);
  std::vector<SliceReading> reading;
  reading.reserve(slices.size());
  // The legend lists the largest, last, slice first.
  for (std::size_t k = slices.size(); k-- > 0;) {
    const PieSlice& slice = slices[k];
    SliceReading read;
    read.value = ValueText(slice, total, separators);
    read.name = slice.label.empty() ? FormatNumber(slice.value, kValueFormat, separators) : slice.label;
    if (k < layout.wedges.size()) read.place = WedgePlace(layout, layout.wedges[k]);
    reading.push_back(std::move(read));
  }
  return reading;
}

std::optional<std::size_t> SliceAt(const PieChartLayout& layout, ChartPoint point) {
  if (!layout.pieShown || layout.radiusX <= 0 || layout.radiusY <= 0) return std::nullopt;
  const double x = static_cast<double>(point.x - layout.centre.x) / layout.radiusX;
  const double y = static_cast<double>(layout.centre.y - point.y) / layout.radiusY;
  if (x * x + y * y > 1) return std::nullopt;
  const double angle = std::atan2(y, x) - kPieRotation;
  const std::size_t count = layout.wedges.size();
  for (std::size_t k = 0; k < count; ++k) {
    const PieWedge& wedge = layout.wedges[k];
    double a = angle;
    while (a < wedge.start) a += kTurn;
    if (a <= wedge.end) return count - 1 - k;
  }
  return std::nullopt;
}

}  // namespace zobl
