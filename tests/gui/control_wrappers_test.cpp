// The holds on the controls the program sets, and the thread timer, under Wine.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "gui_support.h"
#include "mainwindow/control_wrappers.h"
#include "mainwindow/refresh_timer.h"

namespace zobl::testing {
namespace {

// A parent that records the notifications its controls send it.
class RecordingParent {
 public:
  RecordingParent() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &Procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "ZoblRecordingParent";
    RegisterClassA(&windowClass);  // refused harmlessly once registered
    window_ = CreateWindowExA(0, windowClass.lpszClassName, "", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr,
                              windowClass.hInstance, nullptr);
  }
  ~RecordingParent() { DestroyWindow(window_); }
  RecordingParent(const RecordingParent&) = delete;
  RecordingParent& operator=(const RecordingParent&) = delete;

  [[nodiscard]] HWND Child(const char* className, DWORD style) const {
    return CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 200, 150, window_,
                           reinterpret_cast<HMENU>(1), GetModuleHandleA(nullptr), nullptr);
  }
  static std::vector<UINT> heard;  // WM_COMMAND's notification codes and WM_NOTIFY's

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) heard.push_back(HIWORD(wParam));
    if (message == WM_NOTIFY) heard.push_back(reinterpret_cast<const NMHDR*>(lParam)->code);
    return DefWindowProcA(window, message, wParam, lParam);
  }

  HWND window_ = nullptr;
};
std::vector<UINT> RecordingParent::heard;

TEST(ControlWrappers, TheProgramsChangeShowsAndRaisesNoEvent) {
  const struct {
    const char* name;
    const char* className;
    DWORD style;
    std::function<void(HWND)> prepare;
    std::function<void(HWND)> change;
    std::function<bool(HWND)> shown;
  } cases[] = {
      {"check box", "BUTTON", BS_AUTOCHECKBOX, [](HWND) {}, [](HWND c) { CheckBox(c).SetSilently(true); },
       [](HWND c) { return CheckBox(c).Checked(); }},
      {"combo box", WC_COMBOBOXA, CBS_DROPDOWNLIST,
       [](HWND c) {
         for (const char* item : {"a", "b"}) SendMessageA(c, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
       },
       [](HWND c) { ComboBox(c).SetSilently(1); }, [](HWND c) { return ComboBox(c).Selected() == 1; }},
      {"tabs", WC_TABCONTROLA, 0,
       [](HWND c) {
         TCITEMA item{};
         item.mask = TCIF_TEXT;
         item.pszText = const_cast<char*>("t");
         for (int i = 0; i < 2; ++i) SendMessageA(c, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
       },
       [](HWND c) { TabControl(c).SetSilently(1); }, [](HWND c) { return TabControl(c).Selected() == 1; }},
      // A count beyond what the bar holds shows as its end, not as what is left of it in an int.
      {"progress bar", PROGRESS_CLASSA, 0, [](HWND c) { ProgressBar(c).Restart(10); },
       [](HWND c) { ProgressBar(c).SetSilently(std::size_t{1} << 32); },
       [](HWND c) { return ProgressBar(c).Position() == 10; }},
  };
  const RecordingParent parent;
  for (const auto& c : cases) {
    const HWND control = parent.Child(c.className, c.style);
    ASSERT_NE(control, nullptr) << c.name;
    c.prepare(control);
    RecordingParent::heard.clear();
    c.change(control);
    EXPECT_TRUE(c.shown(control)) << c.name;
    EXPECT_EQ(RecordingParent::heard, std::vector<UINT>{}) << c.name;
  }
}

// Each running timer of the thread hears its own ticks, and a stopped one none.
TEST(RefreshTimerTest, TimersOfOneThreadTickEachForItself) {
  RefreshTimer first;
  RefreshTimer second;
  int firstTicks = 0;
  int secondTicks = 0;
  ASSERT_NE(first.Start(10, [&] { ++firstTicks; }), 0u);
  ASSERT_NE(second.Start(10, [&] { ++secondTicks; }), 0u);
  EXPECT_TRUE(PumpUntil([&] { return firstTicks > 0 && secondTicks > 0; }, 5000));
  second.Stop();
  EXPECT_EQ(second.Id(), 0u);
  const int stoppedAt = secondTicks;
  const int firstAt = firstTicks;
  EXPECT_TRUE(PumpUntil([&] { return firstTicks > firstAt + 2; }, 5000));
  EXPECT_EQ(secondTicks, stoppedAt);
}

}  // namespace
}  // namespace zobl::testing
