#include "reports/win32/pie_chart_window.h"

#include <new>
#include <stdexcept>
#include <utility>

#include "platform/dpi.h"
#include "platform/win32/accessibility.h"
#include "reports/win32/pie_chart_painter.h"
#include "reports/pie_layout.h"

namespace zobl {
namespace {

HFONT ArialFont(int dpi, bool title) {
  return CreateFontA(-PointsToPixels(kChartFontPoints, dpi), 0, 0, 0, title ? FW_BOLD : FW_NORMAL, FALSE, title,
                     FALSE, ANSI_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     VARIABLE_PITCH | FF_SWISS, "Arial");
}

}  // namespace

PieChartWindow::PieChartWindow(HWND parent,
                               HINSTANCE instance,
                               const win32::WindowScale& scale,
                               const PieSeries& series,
                               NumberSeparators separators)
    : Follower(scale),
      series_(series),
      separators_(std::move(separators)),
      titleFont_(ArialFont(scale.Dpi(), true)),
      textFont_(ArialFont(scale.Dpi(), false)) {
  // Redrawn whole on every size change; no background brush, the paint covers it all.
  Register(instance, kPieChartClass, CS_HREDRAW | CS_VREDRAW, nullptr);
  RECT area;
  GetClientRect(parent, &area);
  window_ = CreateWindowExA(0, kPieChartClass, PieChartText(series_.Slices(), separators_).c_str(),
                            WS_CHILD | WS_VISIBLE, 0, 0, area.right, area.bottom, parent, nullptr, instance, this);
  if (window_ == nullptr) throw std::runtime_error("Cannot create the pie chart");
}

PieChartWindow::~PieChartWindow() {
  DisconnectScreenReaders();
  if (window_ != nullptr) DestroyWindow(window_);
}

void PieChartWindow::SetSeparators(NumberSeparators separators) {
  separators_ = std::move(separators);
  Invalidate();
}

void PieChartWindow::FitParent() const {
  if (window_ == nullptr) return;
  RECT area;
  GetClientRect(GetParent(window_), &area);
  SetWindowPos(window_, nullptr, 0, 0, area.right, area.bottom, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
}

void PieChartWindow::DpiChanged(int /*previousDpi*/) {
  titleFont_ = win32::ScopedFont(ArialFont(scale_.Dpi(), true));
  textFont_ = win32::ScopedFont(ArialFont(scale_.Dpi(), false));
  Invalidate();
}

void PieChartWindow::Invalidate() const {
  if (window_ == nullptr) return;
  // The window's text tells what the pie shows, to tools that read window texts; screen
  // readers read the chart's object, whose slices change here too.
  SetWindowTextA(window_, PieChartText(series_.Slices(), separators_).c_str());
  InvalidateRect(window_, nullptr, FALSE);
  NotifyWinEvent(EVENT_OBJECT_REORDER, window_, OBJID_CLIENT, CHILDID_SELF);
}

LRESULT PieChartWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: return 1;  // the paint covers the whole chart
    case WM_PAINT:
      try {
        OnPaint();
      } catch (...) {
        // Nothing to show a failure with while painting; a box would only ask for another paint.
        ValidateRect(window_, nullptr);
      }
      return 0;
    case WM_GETOBJECT:
      if (static_cast<LONG>(lParam) == OBJID_CLIENT) return AnswerScreenReader(wParam, lParam);
      break;
    case WM_DESTROY: DisconnectScreenReaders(); break;
    default: break;
  }
  return DefWindowProcA(window_, message, wParam, lParam);
}

LRESULT PieChartWindow::AnswerScreenReader(WPARAM wParam, LPARAM lParam) {
  // One object for the window's life: a screen reader that asks again gets the same one.
  if (accessible_ == nullptr) accessible_ = new (std::nothrow) PieChartAccessible(*this);
  if (accessible_ == nullptr) return DefWindowProcA(window_, WM_GETOBJECT, wParam, lParam);
  return win32::AnswerWithObject(accessible_, wParam);
}

// Clients may hold the object longer than the chart lives: from now on it fails their calls.
void PieChartWindow::DisconnectScreenReaders() {
  if (accessible_ == nullptr) return;
  accessible_->Disconnect();
  accessible_->Release();
  accessible_ = nullptr;
}

std::vector<SliceReading> PieChartWindow::Reading() const {
  return ReadPie(series_.Slices(), CurrentLayout(), separators_);
}

std::optional<std::size_t> PieChartWindow::SliceAt(ChartPoint point) const {
  return zobl::SliceAt(CurrentLayout(), point);
}

PieChartLayout PieChartWindow::CurrentLayout() const {
  RECT client;
  GetClientRect(window_, &client);
  const win32::ScopedWindowDc dc(window_);
  return LayOut(dc.Get(), client.right, client.bottom);
}

void PieChartWindow::OnPaint() const {
  const win32::ScopedPaint paint(window_);
  RECT client;
  GetClientRect(window_, &client);
  const int width = client.right;
  const int height = client.bottom;
  if (width <= 0 || height <= 0) return;
  const win32::ScopedMemoryDc memory(CreateCompatibleDC(paint.Get()));
  const win32::ScopedBitmap bitmap(CreateCompatibleBitmap(paint.Get(), width, height));
  if (!memory.IsValid() || !bitmap.IsValid()) throw std::runtime_error("No memory for the pie chart");
  const win32::ScopedSelectObject selected(memory.Get(), bitmap.Get());
  PaintTo(memory.Get(), width, height);
  BitBlt(paint.Get(), 0, 0, width, height, memory.Get(), 0, 0, SRCCOPY);
}

void PieChartWindow::PaintTo(HDC dc, int width, int height) const {
  PaintPieChart(dc, LayOut(dc, width, height), {titleFont_.Get(), textFont_.Get()});
}

PieChartLayout PieChartWindow::LayOut(HDC dc, int width, int height) const {
  const GdiChartTextMetrics metrics(dc, {titleFont_.Get(), textFont_.Get()});
  PieChartInput input;
  input.width = width;
  input.height = height;
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  input.background = {GetRValue(face), GetGValue(face), GetBValue(face)};
  input.radius = scale_.Pixels(kPieDesignRadius);
  input.arrowLength = scale_.Pixels(kArrowDesignLength);
  input.designWidth = scale_.Pixels(kChartDesignWidth);
  input.designHeight = scale_.Pixels(kChartDesignHeight);
  input.separators = separators_;
  return LayOutPieChart(input, series_.Slices(), metrics);
}

}  // namespace zobl
