// The window's own keys, before the control with the focus sees them.
#include <windows.h>
#include <commctrl.h>

#include "diskusage/compute_sizes_run.h"
#include "inventory/inventory_refresh.h"
#include "inventory/shown_rows.h"
#include "mainwindow/main_window_parts.h"

namespace zobl {
namespace {

bool KeyDown(int key) { return GetKeyState(key) < 0; }

// `key` pressed, with Ctrl or without, and neither Shift nor Alt.
bool IsKey(const MSG& message, WPARAM key, bool control) {
  return message.message == WM_KEYDOWN && message.wParam == key && KeyDown(VK_CONTROL) == control &&
         !KeyDown(VK_SHIFT) && !KeyDown(VK_MENU);
}

bool IsCopyKey(const MSG& message) { return IsKey(message, 'C', true); }

bool IsRefreshKey(const MSG& message) { return IsKey(message, VK_F5, false); }

bool IsTidyKey(const MSG& message) { return IsKey(message, 'U', true); }

bool IsFilterKey(const MSG& message) { return IsKey(message, 'F', true) || IsKey(message, VK_F3, false); }

}  // namespace

bool MainWindow::PreTranslateMessage(MSG& message) {
  bool used = false;
  // The tidy window's keys are its own.
  if (tidy_ && tidy_->PreTranslateMessage(message)) return true;
  FromOutside([&] {
    const bool ours = message.hwnd == window_ || IsChild(window_, message.hwnd);
    // Escape ends a run of "Compute the Files Size" between two entries of the directory under way.
    if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE && features_.computeRun.Running() && ours) {
      features_.computeRun.Stop();
      used = true;
      return;
    }
    // F5 re-reads the registry at once, on every page: the refresh the timer would run.
    if (IsRefreshKey(message) && ours) {
      features_.refresher.RefreshInventory();
      used = true;
      return;
    }
    // On the other pages the key is the focused control's: the About text copies its own.
    if (IsCopyKey(message) && activePage_ == WindowPage::List && ours) {
      CopySelectedRow();
      used = true;
      return;
    }
    if (IsTidyKey(message) && activePage_ == WindowPage::List && ours) {
      OpenTidyWindow();
      used = true;
      return;
    }
    if (IsFilterKey(message) && activePage_ == WindowPage::List && ours) {
      FocusFilterBox();
      used = true;
      return;
    }
    // Escape empties the filter box, which shows every row again.
    if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE && message.hwnd == Control(kFilterBox)) {
      SetWindowTextA(message.hwnd, "");
      used = true;
      return;
    }
    used = shown_->keyboard.PreTranslate(message) || IsDialogMessageA(window_, &message);
  });
  return used;
}

void MainWindow::FocusFilterBox() {
  const HWND box = Control(kFilterBox);
  SetFocus(box);
  SendMessageA(box, EM_SETSEL, 0, -1);
}

}  // namespace zobl
