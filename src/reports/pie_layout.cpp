#include "reports/pie_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

namespace zobl {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kTurn = 2 * kPi;
constexpr double kDegree = kPi / 180;
constexpr double kRotation = kPieRotation;
// The first slice starts just past 0 and none spans a whole turn, so that no slice's two
// ends are the same angle.
constexpr double kAngleGap = 0.000001;
constexpr double kNarrowestSlice = kDegree;
constexpr int kLegendFrame = 1;
constexpr int kMarkFrame = 1;
constexpr int kTitleGap = 5;
constexpr int kRimDarkening = 64;
constexpr int kSmallestPie = 4;

// Half to even, whatever rounding mode the FPU was left in.
int Round(double x) {
  const double below = std::floor(x);
  const double fraction = x - below;
  const bool up = fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0);
  return static_cast<int>(up ? below + 1 : below);
}

// A percentage of a length in whole pixels, rounded half to even: 2 % of 25 is 0, of 75 is 2.
int Percent(int length, int percent) { return Round(length * percent / 100.0); }

// Even sizes put the centre on a whole pixel; the pie needs a few pixels at least.
void Normalise(ChartRect& area) {
  if ((area.right - area.left) % 2 != 0) --area.right;
  if ((area.bottom - area.top) % 2 != 0) --area.bottom;
  area.right = std::max(area.right, area.left + kSmallestPie);
  area.bottom = std::max(area.bottom, area.top + kSmallestPie);
}

std::string ValueText(double kilobytes, const NumberSeparators& separators) {
  return FormatNumber(kilobytes, kValueFormat, separators);
}

// The chart less its margins; the top one leaves the legend room.
ChartRect PlotArea(int width, int height) {
  const int side = Percent(width, 2);
  return {side, Percent(height, 24), width - side, height - Percent(height, 2)};
}

// What the plot area leaves the pie and its rim: the legend sits over the plot area
// rather than shrinking it, so only an indent keeps the pie off its left side; then the
// title line, and room around the circle for the marks and their arrows.
ChartRect PieArea(ChartRect plot, int titleHeight, TextExtent w, int widestMark, int arrowLength) {
  plot.left += Percent(plot.right - plot.left, 3);
  plot.top += titleHeight + kTitleGap;
  Normalise(plot);
  const int across = w.width + widestMark + arrowLength + 2 * kMarkFrame;
  const int down = w.height + arrowLength + 2 * kMarkFrame;
  ChartRect area{plot.left + across, plot.top + down, plot.right - across, plot.bottom - down};
  Normalise(area);
  return area;
}

int RimDepth(const ChartRect& pieArea) { return Percent(pieArea.bottom - pieArea.top, kRimDepthPercent); }

// How much larger than designed the chart is, as far as both its sides allow. The
// margins grow with the chart and the title and the marks' room stay, so the room left
// for the pie grows at least as much: a pie that fits at the design size fits grown.
double Growth(const PieChartInput& input) {
  if (input.designWidth <= 0 || input.designHeight <= 0) return 1;
  return std::max(1.0, std::min(static_cast<double>(input.width) / input.designWidth,
                                static_cast<double>(input.height) / input.designHeight));
}

// The largest slices come last, and the legend lists them from the top: as many as fit
// between its top and the plot area's bottom, one per line, counted from the last slice.
void LayOutLegend(const PieChartInput& input,
                  const std::vector<PieSlice>& slices,
                  const ChartTextMetrics& metrics,
                  const ChartRect& plot,
                  PieChartLayout& layout) {
  const int line = metrics.Measure(ChartFont::Text, "W").height;
  const int top = Percent(input.height, 2);
  const int left = plot.left + kLegendFrame + 1;
  const int fit = line > 0 ? (plot.bottom - top) / line : 0;
  const int shown = std::min(static_cast<int>(slices.size()), fit);
  if (shown <= 0) return;

  int widest = 0;
  for (int i = 0; i < shown; ++i) {
    const PieSlice& slice = slices[slices.size() - 1 - static_cast<std::size_t>(i)];
    LegendEntry entry{LegendText(slice, input.separators), {}, {}, slice.colour};
    widest = std::max(widest, metrics.Measure(ChartFont::Text, entry.text).width);
    layout.legend.push_back(std::move(entry));
  }
  const int colourWidth = Percent(widest + 10, 3);
  for (int i = 0; i < shown; ++i) {
    LegendEntry& entry = layout.legend[static_cast<std::size_t>(i)];
    entry.textAt = {left + colourWidth + 8, top + 1 + i * line};
    entry.colourBox = {left + 4, entry.textAt.y + 2, left + 4 + colourWidth, entry.textAt.y + line - 2};
  }
  layout.legendShown = true;
  layout.legendBox = {left, top, left + colourWidth + widest + 10, top + shown * line + 2};
}

// Angles count from the rotation: each slice ends where the running total puts it, the
// last one on the full turn, but a slice is at least a degree wide (pushing the ones
// after it on) and never a full turn.
void SetAngles(const std::vector<PieSlice>& slices, double total, std::vector<PieWedge>& wedges) {
  double sum = 0;
  double start = kAngleGap;
  for (std::size_t k = 0; k < slices.size(); ++k) {
    sum += std::abs(slices[k].value);
    double end = k + 1 == slices.size() ? kTurn : sum * kTurn / total;
    if (total == 0) end = kTurn - kAngleGap;
    if (end - start < kNarrowestSlice) end = start + kNarrowestSlice;
    if (end - start > kTurn - kAngleGap) end = start + kTurn - kAngleGap;
    PieWedge& wedge = wedges[k];
    wedge.start = start;
    wedge.end = end;
    wedge.mid = (start + end) / 2;
    start = end;
  }
}

ChartPoint OnCircle(const PieChartLayout& layout, double angle) {
  // Truncated toward the centre, like the end points of the slices drawn.
  return {layout.centre.x + static_cast<int>(layout.radiusX * std::cos(angle + kRotation)),
          layout.centre.y - static_cast<int>(layout.radiusY * std::sin(angle + kRotation))};
}

bool OnLowerHalf(double screenAngle) { return std::fmod(screenAngle, kTurn) >= kPi; }

// Only the lower half of the pie shows its rim. Screen angles run from the rotation to a
// turn past it (a little more when narrow slices were widened), so a slice may meet the
// lower half of two turns: 350 to 360 degrees and 540 to 710.
void SetRim(PieWedge& wedge) {
  const double from = wedge.start + kRotation;
  const double to = wedge.end + kRotation;
  for (double turn = std::floor(from / kTurn) * kTurn; turn + kPi < to; turn += kTurn) {
    const double low = std::max(from, turn + kPi);
    const double high = std::min(to, turn + kTurn);
    if (low < high) wedge.rimArcs.emplace_back(low, high);
  }
  for (const double edge : {from, to}) {
    if (OnLowerHalf(edge)) wedge.rimEdges.push_back(edge);
  }
}

Rgb Darker(Rgb colour) {
  const auto down = [](std::uint8_t c) { return static_cast<std::uint8_t>(std::max(c - kRimDarkening, 0)); };
  return {down(colour.red), down(colour.green), down(colour.blue)};
}

// The arrow has to show against its slice and the background.
Rgb ArrowColour(Rgb slice, Rgb background) {
  if (kArrowColour != slice && kArrowColour != background) return kArrowColour;
  return background == kBlack ? kWhite : kBlack;
}

std::string MarkText(const PieSlice& slice, double total, const NumberSeparators& separators) {
  const double percent = total == 0 ? 100 : std::abs(slice.value) * 100 / total;
  const std::string label = slice.label.empty() ? ValueText(slice.value, separators) : slice.label;
  return label + " " + FormatNumber(percent, kPercentFormat, separators);
}

// Each mark sits just outside the circle at its slice's middle, on the side away from the
// centre; those below the centre go down with the rim.
PieMark PlaceMark(std::string text,
                  const PieWedge& wedge,
                  Rgb background,
                  const PieChartLayout& layout,
                  const ChartTextMetrics& metrics,
                  int arrowLength) {
  const TextExtent w = metrics.Measure(ChartFont::Text, "W");
  const int width = metrics.Measure(ChartFont::Text, text + "W").width + 2 * kMarkFrame;
  const int height = w.height + 2 * kMarkFrame;
  const ChartPoint c = layout.centre;
  const double cosine = std::cos(wedge.mid + kRotation);
  const double sine = std::sin(wedge.mid + kRotation);
  ChartPoint anchor{c.x + Round((w.width + layout.radiusX) * cosine), c.y - Round((layout.radiusY + w.height) * sine)};
  if (anchor.y > c.y) anchor.y += layout.rimDepth;

  PieMark mark;
  // At the centre's own x or y the box goes left or up: only right of it or below it
  // counts as that side.
  mark.box.left = anchor.x > c.x ? anchor.x : anchor.x - width;
  mark.box.top = anchor.y > c.y ? anchor.y : anchor.y - height;
  mark.box.right = mark.box.left + width;
  mark.box.bottom = mark.box.top + height;
  mark.textAt = {mark.box.left + (width - metrics.Measure(ChartFont::Text, text).width) / 2, mark.box.top + 1};
  mark.arrowFrom = {c.x + Round((layout.radiusX - arrowLength) * cosine),
                    c.y - Round((layout.radiusY - arrowLength) * sine)};
  mark.arrowTo = anchor;
  mark.arrowColour = ArrowColour(wedge.colour, background);
  mark.text = std::move(text);
  return mark;
}

void LayOutPie(const PieChartInput& input,
               const std::vector<PieSlice>& slices,
               const ChartTextMetrics& metrics,
               const ChartRect& plot,
               int titleHeight,
               PieChartLayout& layout) {
  double total = 0;
  for (const PieSlice& slice : slices) total += std::abs(slice.value);
  std::vector<std::string> texts;
  int widestMark = 0;
  for (const PieSlice& slice : slices) {
    texts.push_back(MarkText(slice, total, input.separators));
    widestMark = std::max(widestMark, metrics.Measure(ChartFont::Text, texts.back()).width);
  }

  const TextExtent w = metrics.Measure(ChartFont::Text, "W");
  ChartRect area = PieArea(plot, titleHeight, w, widestMark, input.arrowLength);
  // The radius is the design's, not the room's. A chart larger than designed scales the
  // pie as drawn at the design size, rim included, so that it keeps its proportions.
  const double growth = Growth(input);
  int radius = input.radius;
  layout.rimDepth = RimDepth(area);
  if (growth > 1) {
    const ChartRect designed =
        PieArea(PlotArea(input.designWidth, input.designHeight), titleHeight, w, widestMark, input.arrowLength);
    radius = Round(input.radius * growth);
    layout.rimDepth = Round(RimDepth(designed) * growth);
  }
  area.bottom -= layout.rimDepth;
  Normalise(area);

  layout.pieShown = true;
  layout.centre = {(area.left + area.right) / 2, (area.top + area.bottom) / 2};
  layout.radiusX = radius;
  layout.radiusY = radius;

  layout.wedges.resize(slices.size());
  SetAngles(slices, total, layout.wedges);
  for (std::size_t k = 0; k < slices.size(); ++k) {
    PieWedge& wedge = layout.wedges[k];
    wedge.colour = slices[k].colour;
    wedge.rimColour = Darker(wedge.colour);
    wedge.startPoint = OnCircle(layout, wedge.start);
    wedge.endPoint = OnCircle(layout, wedge.end);
    // A slice too thin to show has nothing to draw; the only slice is the whole pie.
    const bool closed = wedge.startPoint == wedge.endPoint;
    wedge.fullCircle = closed && slices.size() == 1;
    wedge.drawn = !closed || wedge.fullCircle;
    SetRim(wedge);
    layout.marks.push_back(PlaceMark(std::move(texts[k]), wedge, input.background, layout, metrics, input.arrowLength));
  }
}

}  // namespace

std::string LegendText(const PieSlice& slice, const NumberSeparators& separators) {
  return ValueText(slice.value, separators) + " " + slice.label;
}

std::string PieChartText(const std::vector<PieSlice>& slices, const NumberSeparators& separators) {
  std::string text = kPieChartTitle;
  for (auto slice = slices.rbegin(); slice != slices.rend(); ++slice) {
    text += slice == slices.rbegin() ? ": " : "; ";
    text += LegendText(*slice, separators);
  }
  return text;
}

PieChartLayout LayOutPieChart(const PieChartInput& input,
                              const std::vector<PieSlice>& slices,
                              const ChartTextMetrics& metrics) {
  PieChartLayout layout;
  layout.bounds = {0, 0, input.width, input.height};
  layout.background = input.background;

  const ChartRect plot = PlotArea(input.width, input.height);
  LayOutLegend(input, slices, metrics, plot, layout);

  const TextExtent title = metrics.Measure(ChartFont::Title, kPieChartTitle);
  layout.title = kPieChartTitle;
  layout.titleAt = {plot.right - title.width, plot.top};

  if (!slices.empty()) LayOutPie(input, slices, metrics, plot, title.height, layout);
  return layout;
}

}  // namespace zobl
