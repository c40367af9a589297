// PieChart painted by GDI into a bitmap, checked against the layout's own numbers.
#include "reports/win32/pie_chart_window.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "platform/dpi.h"
#include "platform/win32/gdi_handles.h"
#include "reports/pie_layout.h"
#include "window_fixture.h"

namespace zobl::testing {
namespace {

constexpr int kWidth = 770;
constexpr int kHeight = 473;
constexpr double kRotation = 350 * std::numbers::pi / 180;

COLORREF ToColorRef(Rgb c) { return RGB(c.red, c.green, c.blue); }

class PieChartPaintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    series_.SetValueOrder(ValueOrder::Ascending);
    series_.Add(1000, "Small", {255, 0, 128});
    series_.Add(3000, "Middle", {0, 128, 255});
    series_.Add(6000, "Large", {127, 255, 0});
    parent_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, kWidth, kHeight, nullptr, nullptr, nullptr, nullptr);
    chart_ = std::make_unique<PieChartWindow>(parent_, GetModuleHandleA(nullptr), scale_, series_, NumberSeparators{});
    const win32::ScopedWindowDc screen(nullptr);
    dc_ = win32::ScopedMemoryDc(CreateCompatibleDC(screen.Get()));
    bitmap_ = win32::ScopedBitmap(CreateCompatibleBitmap(screen.Get(), kWidth, kHeight));
    selected_ = SelectObject(dc_.Get(), bitmap_.Get());
    chart_->PaintTo(dc_.Get(), kWidth, kHeight);
  }
  void TearDown() override {
    SelectObject(dc_.Get(), selected_);
    chart_.reset();
    DestroyWindow(parent_);
  }
  // The layout the chart was painted from.
  PieChartLayout Layout() const { return chart_->LayOut(dc_.Get(), kWidth, kHeight); }
  COLORREF Pixel(int x, int y) const { return GetPixel(dc_.Get(), x, y); }

  PieSeries series_;
  const win32::WindowScale scale_;  // at the design's 120 dpi
  HWND parent_ = nullptr;
  std::unique_ptr<PieChartWindow> chart_;
  win32::ScopedMemoryDc dc_;
  win32::ScopedBitmap bitmap_;
  HGDIOBJ selected_ = nullptr;
};

TEST_F(PieChartPaintTest, PixelsFollowTheLayout) {
  const PieChartLayout layout = Layout();
  ASSERT_TRUE(layout.pieShown);
  ASSERT_EQ(layout.wedges.size(), 3u);
  const int cx = layout.centre.x;
  const int cy = layout.centre.y;
  for (const PieWedge& wedge : layout.wedges) {
    // Off the middle, where the mark's arrow runs.
    const double angle = wedge.start + (wedge.end - wedge.start) / 3 + kRotation;
    const int x = cx + static_cast<int>(std::lround(60 * std::cos(angle)));
    const int y = cy - static_cast<int>(std::lround(60 * std::sin(angle)));
    EXPECT_EQ(Pixel(x, y), ToColorRef(wedge.colour)) << "inside the wedge";
    if (std::sin(angle) < -0.3) {
      const int rimX = cx + static_cast<int>(std::lround(100 * std::cos(angle)));
      const int rimY = cy - static_cast<int>(std::lround(100 * std::sin(angle))) + layout.rimDepth / 2;
      EXPECT_EQ(Pixel(rimX, rimY), ToColorRef(wedge.rimColour)) << "the rim below it";
    }
  }
  ASSERT_TRUE(layout.legendShown);
  const ChartRect& box = layout.legendBox;
  EXPECT_EQ(Pixel(box.right - 2, box.bottom - 2), RGB(255, 255, 255)) << "the legend's box";
  EXPECT_EQ(Pixel(box.right, box.bottom), RGB(0, 0, 0)) << "its shadow";
  EXPECT_EQ(Pixel(box.left, box.top), RGB(0, 0, 0)) << "its frame";
  bool blueTitle = false;
  for (int x = layout.titleAt.x; x < kWidth && !blueTitle; ++x) {
    for (int y = layout.titleAt.y; y < layout.titleAt.y + 16 && !blueTitle; ++y)
      blueTitle = Pixel(x, y) == RGB(0, 0, 255);
  }
  EXPECT_TRUE(blueTitle);
  EXPECT_EQ(Pixel(1, kHeight / 2), GetSysColor(COLOR_BTNFACE)) << "the background inside the bevel";
  EXPECT_EQ(Pixel(0, kHeight / 2), GetSysColor(COLOR_BTNHIGHLIGHT)) << "the raised bevel";
  series_.DeleteAt(0);
  chart_->Invalidate();  // as the series' repaint does
  char text[100] = {};
  GetWindowTextA(chart_->Handle(), text, sizeof text);
  EXPECT_STREQ(text, "Program Files Sorted By Size: 6,000Kb Large; 3,000Kb Middle") << "what screen readers read";
}

// The user changes the regional settings while the program runs.
TEST_F(WindowTest, ChartTakesTheNewSeparatorsWhenTheSystemAnnouncesThem) {
  char thousands[8] = {};
  GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, thousands, sizeof thousands);
  Open();
  ASSERT_TRUE(SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, " "));
  SendMessageA(mainWindow_->Handle(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("intl"));
  const std::string seen = mainWindow_->PieChart()->Separators().thousands;
  SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, thousands);
  EXPECT_EQ(seen, " ");
}

}  // namespace
}  // namespace zobl::testing
