#include "reports/win32/pie_chart_painter.h"

#include <cmath>
#include <numbers>
#include <vector>

#include "platform/win32/gdi_handles.h"
#include "platform/win32/wide_text.h"

namespace zobl {
namespace {

using win32::ScopedBrush;
using win32::ScopedPen;
using win32::ScopedSelectObject;
using win32::Wide;

// A rim wall is stepped along its arc at this angle: fine enough that the largest pie
// shows no corners.
constexpr double kRimStep = std::numbers::pi / 180;

COLORREF ToColorRef(Rgb colour) { return RGB(colour.red, colour.green, colour.blue); }

RECT ToRect(const ChartRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

void Fill(HDC dc, const ChartRect& area, Rgb colour) {
  const ScopedBrush brush(CreateSolidBrush(ToColorRef(colour)));
  const RECT rect = ToRect(area);
  FillRect(dc, &rect, brush.Get());
}

// Filled and framed by a 1-pixel black line, the frame inside the rectangle.
void FillFramed(HDC dc, const ChartRect& area, Rgb colour) {
  Fill(dc, area, colour);
  const ScopedBrush black(CreateSolidBrush(ToColorRef(kBlack)));
  const RECT rect = ToRect(area);
  FrameRect(dc, &rect, black.Get());
}

// Texts are UTF-8; the 8-bit call would read them in the system's code page.
void Text(HDC dc, HFONT font, Rgb colour, ChartPoint at, const std::string& text) {
  const ScopedSelectObject selected(dc, font);
  SetTextColor(dc, ToColorRef(colour));
  const std::wstring wide = Wide(text);
  TextOutW(dc, at.x, at.y, wide.data(), static_cast<int>(wide.size()));
}

POINT OnCircle(const PieChartLayout& layout, double screenAngle, int drop = 0) {
  return POINT{layout.centre.x + static_cast<int>(std::trunc(layout.radiusX * std::cos(screenAngle))),
               layout.centre.y - static_cast<int>(std::trunc(layout.radiusY * std::sin(screenAngle))) + drop};
}

void PaintLegend(HDC dc, const PieChartLayout& layout, const PieChartFonts& fonts) {
  if (!layout.legendShown) return;
  const ChartRect& box = layout.legendBox;
  const int s = layout.legendShadow;
  Fill(dc, {box.left + s, box.top + s, box.right + s, box.bottom + s}, kBlack);
  FillFramed(dc, box, kWhite);
  for (const LegendEntry& entry : layout.legend) {
    FillFramed(dc, entry.colourBox, entry.colour);
    Text(dc, fonts.text, kBlack, entry.textAt, entry.text);
  }
}

// The wall below one part of a slice's arc on the lower half: the arc, then the same
// arc dropped by the rim's depth, walked back.
void PaintRimWall(HDC dc, const PieChartLayout& layout, double from, double to) {
  std::vector<POINT> outline;
  for (double a = from; a < to; a += kRimStep) outline.push_back(OnCircle(layout, a));
  outline.push_back(OnCircle(layout, to));
  for (std::size_t i = outline.size(); i-- > 0;) {
    outline.push_back({outline[i].x, outline[i].y + layout.rimDepth});
  }
  Polygon(dc, outline.data(), static_cast<int>(outline.size()));
}

void PaintPie(HDC dc, const PieChartLayout& layout) {
  if (!layout.pieShown) return;
  const ChartPoint c = layout.centre;
  const int left = c.x - layout.radiusX;
  const int top = c.y - layout.radiusY;
  const int right = c.x + layout.radiusX;
  const int bottom = c.y + layout.radiusY;
  const ScopedPen piePen(CreatePen(PS_SOLID, 1, ToColorRef(kPiePenColour)));
  const ScopedSelectObject pen(dc, piePen.Get());
  for (const PieWedge& wedge : layout.wedges) {
    if (!wedge.drawn) continue;
    const ScopedBrush fill(CreateSolidBrush(ToColorRef(wedge.colour)));
    const ScopedSelectObject brush(dc, fill.Get());
    if (wedge.fullCircle) {
      Ellipse(dc, left, top, right, bottom);
    } else {
      Pie(dc, left, top, right, bottom, wedge.startPoint.x, wedge.startPoint.y, wedge.endPoint.x, wedge.endPoint.y);
    }
  }
  // The rim: walls in the darker colours, without outlines of their own, then the
  // edges where slices meet on the lower half.
  for (const PieWedge& wedge : layout.wedges) {
    const ScopedBrush fill(CreateSolidBrush(ToColorRef(wedge.rimColour)));
    const ScopedPen wallPen(CreatePen(PS_SOLID, 1, ToColorRef(wedge.rimColour)));
    const ScopedSelectObject brush(dc, fill.Get());
    const ScopedSelectObject edge(dc, wallPen.Get());
    for (const auto& [from, to] : wedge.rimArcs) PaintRimWall(dc, layout, from, to);
  }
  for (const PieWedge& wedge : layout.wedges) {
    for (const double angle : wedge.rimEdges) {
      const POINT onArc = OnCircle(layout, angle);
      MoveToEx(dc, onArc.x, onArc.y, nullptr);
      LineTo(dc, onArc.x, onArc.y + layout.rimDepth);
    }
  }
  // The outline: the top circle, the rim's two sides and its lower edge.
  const ScopedSelectObject hollow(dc, GetStockObject(NULL_BRUSH));
  Arc(dc, left, top, right, bottom, right, c.y, right, c.y);
  const int d = layout.rimDepth;
  for (const int x : {left, right - 1}) {
    MoveToEx(dc, x, c.y, nullptr);
    LineTo(dc, x, c.y + d);
  }
  Arc(dc, left, top + d, right, bottom + d, left, c.y + d, right, c.y + d);
}

void PaintMarks(HDC dc, const PieChartLayout& layout, const PieChartFonts& fonts) {
  for (const PieMark& mark : layout.marks) {
    const ScopedPen dotted(CreatePen(PS_DOT, 1, ToColorRef(mark.arrowColour)));
    {
      const ScopedSelectObject pen(dc, dotted.Get());
      MoveToEx(dc, mark.arrowFrom.x, mark.arrowFrom.y, nullptr);
      LineTo(dc, mark.arrowTo.x, mark.arrowTo.y);
    }
    FillFramed(dc, mark.box, kMarkFill);
    Text(dc, fonts.text, kBlack, mark.textAt, mark.text);
  }
}

}  // namespace

TextExtent GdiChartTextMetrics::Measure(ChartFont font, std::string_view text) const {
  const ScopedSelectObject selected(dc_, font == ChartFont::Title ? fonts_.title : fonts_.text);
  SIZE size{};
  const std::wstring wide = Wide(text);
  GetTextExtentPoint32W(dc_, wide.data(), static_cast<int>(wide.size()), &size);
  return {static_cast<int>(size.cx), static_cast<int>(size.cy)};
}

void PaintPieChart(HDC dc, const PieChartLayout& layout, const PieChartFonts& fonts) {
  Fill(dc, layout.bounds, layout.background);
  RECT bevel = ToRect(layout.bounds);
  DrawEdge(dc, &bevel, BDR_RAISEDINNER, BF_RECT);
  SetBkMode(dc, TRANSPARENT);
  PaintLegend(dc, layout, fonts);
  Text(dc, fonts.title, kTitleColour, layout.titleAt, layout.title);
  PaintPie(dc, layout);
  PaintMarks(dc, layout, fonts);
}

}  // namespace zobl
