#pragma once

#include <windows.h>

#include <functional>
#include <vector>

namespace zobl {

// The keys that reach every command without a mouse, beyond what the dialog manager
// gives a plain window: Tab through the design's tab order with the page control's tabs
// as a stop of their own, Ctrl+Tab or Ctrl+PageDown to the next tab and Ctrl+Shift+Tab
// or Ctrl+PageUp to the previous one, Enter on a push button, and the tool bar's arrows,
// Space and Enter.
class KeyboardNavigation {
 public:
  // `switchTab` shows the tab `step` places away from the current one, wrapping round.
  KeyboardNavigation(HWND window, HWND pageControl, HWND toolBar, std::function<void(int step)> switchTab);

  // Handles a key before the window's controls see it; true when it was used. The tool
  // bar's keys are handled here too: the dialog manager would turn its arrows into focus
  // moves and its Enter into a dialog's OK.
  bool PreTranslate(const MSG& message) const;

 private:
  [[nodiscard]] std::vector<HWND> TabStops() const;
  void MoveFocus(bool backwards) const;
  void SwitchTab(int step) const;

  HWND window_;
  HWND pageControl_;
  HWND toolBar_;
  std::function<void(int)> switchTab_;
};

}  // namespace zobl
