#pragma once

#include <numbers>
#include <string>
#include <string_view>
#include <vector>

#include "reports/number_format.h"
#include "reports/pie_series.h"

namespace zobl {

inline constexpr char kPieChartTitle[] = "Program Files Sorted By Size";
inline constexpr char kPercentFormat[] = "##0.##,%";
inline constexpr char kValueFormat[] = "#,##0,,Kb";
inline constexpr Rgb kTitleColour{0, 0, 255};
inline constexpr Rgb kPiePenColour{64, 64, 64};
inline constexpr Rgb kArrowColour{64, 0, 128};
inline constexpr Rgb kMarkFill{255, 255, 128};
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};

// The chart as designed at 120 dots per inch, scaled to the screen's: its size, the pie's
// radii and the marks' arrow length. Its text is 8-point Arial; the rim below the pie is
// as deep as a twentieth of the room the pie is given.
inline constexpr int kChartDesignWidth = 770;
inline constexpr int kChartDesignHeight = 473;
inline constexpr int kPieDesignRadius = 100;
inline constexpr int kArrowDesignLength = 8;
inline constexpr int kChartFontPoints = 8;
inline constexpr int kRimDepthPercent = 5;
// The screen angle at which the first slice starts, counter-clockwise from the right.
inline constexpr double kPieRotation = 350 * std::numbers::pi / 180;

struct ChartPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const ChartPoint&, const ChartPoint&) = default;
};

// Right and bottom edges are exclusive, as in a Win32 RECT.
struct ChartRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  friend bool operator==(const ChartRect&, const ChartRect&) = default;
};

struct TextExtent {
  int width = 0;
  int height = 0;
};

// The chart's two fonts: the title's (Arial bold underlined) and the one of the legend
// and the marks (Arial).
enum class ChartFont { Title, Text };

// How large a text is drawn in one of the chart's fonts on the device the chart is
// painted on.
class ChartTextMetrics {
 public:
  virtual ~ChartTextMetrics() = default;
  [[nodiscard]] virtual TextExtent Measure(ChartFont font, std::string_view text) const = 0;
};

// What the chart is drawn from besides its slices.
struct PieChartInput {
  int width = 0;  // the chart's client size
  int height = 0;
  Rgb background;  // the system's button face
  // The design's lengths already scaled to the screen.
  int radius = kPieDesignRadius;
  int arrowLength = kArrowDesignLength;
  NumberSeparators separators;
  // The chart's design size, scaled as the radius is. A larger chart grows the pie's radii
  // and rim by as much as both its sides have grown, so that the pie keeps its
  // proportions; 0 keeps the design's radius at any size.
  int designWidth = 0;
  int designHeight = 0;
};

struct LegendEntry {
  std::string text;     // ValueFormat of the value, a space, the label
  ChartPoint textAt;    // top left
  ChartRect colourBox;  // filled with the slice's colour, framed black
  Rgb colour;
};

struct PieWedge {
  // Angles in radians counter-clockwise from the chart's rotation (350 degrees); the
  // screen angle of a point is the angle plus the rotation.
  double start = 0;
  double end = 0;
  double mid = 0;
  Rgb colour;
  Rgb rimColour;          // darker by 64 in each of red, green and blue, not below 0
  ChartPoint startPoint;  // on the circle
  ChartPoint endPoint;
  // False for a slice whose two end points coincide, unless it is the only slice,
  // which is then drawn as the full circle.
  bool drawn = true;
  bool fullCircle = false;
  // Screen angles (radians, in increasing order) of the parts of its arc on the lower
  // half of the circle, each of which has a wall of the rim's depth below it.
  std::vector<std::pair<double, double>> rimArcs;
  // Screen angles of its boundaries that lie on the lower half: a vertical edge is drawn
  // down the wall there.
  std::vector<double> rimEdges;
};

struct PieMark {
  std::string text;  // label (or the value when the label is empty), a space, the percent
  ChartRect box;
  ChartPoint textAt;     // top left of the centred text
  ChartPoint arrowFrom;  // inside the rim
  ChartPoint arrowTo;    // the anchor
  Rgb arrowColour;
};

// Everything the painter draws, in the order it draws it: background and bevel, legend,
// title, slices with the rim, the outline, then the marks.
struct PieChartLayout {
  ChartRect bounds;  // the whole chart, framed by a raised bevel 1 pixel wide
  Rgb background;

  bool legendShown = false;
  ChartRect legendBox;  // white, framed black, a black shadow 2 pixels right and below
  int legendShadow = 2;
  std::vector<LegendEntry> legend;  // top to bottom

  std::string title;
  ChartPoint titleAt;  // top left

  bool pieShown = false;
  ChartPoint centre;
  int radiusX = 0;
  int radiusY = 0;
  int rimDepth = 0;
  std::vector<PieWedge> wedges;  // in series order
  std::vector<PieMark> marks;    // in series order
};

// A legend entry's text: the value as ValueFormat writes it, a space, the label.
std::string LegendText(const PieSlice& slice, const NumberSeparators& separators);

// The chart in words, for screen readers: the title, then every legend entry in the
// legend's order, "Program Files Sorted By Size: 6,058Kb Hotel Atlas; 1,234Kb Other".
std::string PieChartText(const std::vector<PieSlice>& slices, const NumberSeparators& separators);

PieChartLayout LayOutPieChart(const PieChartInput& input,
                              const std::vector<PieSlice>& slices,
                              const ChartTextMetrics& metrics);

}  // namespace zobl
