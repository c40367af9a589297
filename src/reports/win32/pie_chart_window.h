#pragma once

#include <windows.h>

#include "platform/number_separators.h"
#include "platform/win32/gdi_handles.h"
#include "platform/win32/window_base.h"
#include "platform/win32/window_scale.h"
#include "reports/pie_layout.h"
#include "reports/pie_reading.h"
#include "reports/pie_series.h"
#include "reports/win32/pie_chart_accessible.h"

namespace zobl {

inline constexpr char kPieChartClass[] = "ZoblPieChart";

// PieChart: a child window that draws PieSlices as a pie, filling its parent. Each paint
// lays the chart out afresh for the window's size and draws it into a bitmap first, so
// that nothing flickers; the window never has its background erased. The window's text
// is the chart in words; screen readers that ask for its object get the slices one by one
// (PieChartAccessible), and hear of each change.
class PieChartWindow final : public win32::WindowBase<PieChartWindow>, private win32::WindowScale::Follower {
 public:
  // The radii, the arrows, the fonts and the size the pie is designed for follow the
  // scale of the window it is on; the design draws them at 120 dpi.
  PieChartWindow(HWND parent,
                 HINSTANCE instance,
                 const win32::WindowScale& scale,
                 const PieSeries& series,
                 NumberSeparators separators);
  ~PieChartWindow();
  PieChartWindow(const PieChartWindow&) = delete;
  PieChartWindow& operator=(const PieChartWindow&) = delete;

  // The user changed the regional settings: numbers are written anew.
  void SetSeparators(NumberSeparators separators);
  [[nodiscard]] const NumberSeparators& Separators() const { return separators_; }
  // The series changed: drawn again at the next paint, told in the window's text, and
  // screen readers told to read the slices again.
  void Invalidate() const;
  // Fills its parent again after the parent's size changed.
  void FitParent() const;
  // The whole chart as it is painted, into `dc`.
  void PaintTo(HDC dc, int width, int height) const;
  // Where everything goes at that size, measured with the chart's fonts on `dc`.
  [[nodiscard]] PieChartLayout LayOut(HDC dc, int width, int height) const;

  // The slices as screen readers read them, placed in the window's client area as painted now.
  [[nodiscard]] std::size_t SliceCount() const { return series_.Count(); }
  [[nodiscard]] std::vector<SliceReading> Reading() const;
  // The slice painted at a point of the client area, in the legend's order.
  [[nodiscard]] std::optional<std::size_t> SliceAt(ChartPoint point) const;

 private:
  friend class win32::WindowBase<PieChartWindow>;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void DpiChanged(int previousDpi) override;
  void OnPaint() const;
  [[nodiscard]] PieChartLayout CurrentLayout() const;
  LRESULT AnswerScreenReader(WPARAM wParam, LPARAM lParam);
  void DisconnectScreenReaders();

  const PieSeries& series_;
  NumberSeparators separators_;
  win32::ScopedFont titleFont_;
  win32::ScopedFont textFont_;
  PieChartAccessible* accessible_ = nullptr;  // one reference, from the first request to the window's end
};

}  // namespace zobl
