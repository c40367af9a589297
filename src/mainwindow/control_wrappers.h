#pragma once

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <climits>
#include <cstddef>

namespace zobl {

// Holds on the controls whose state the program reads and sets. A change the program
// makes raises no event: a control tells its parent of the user's changes only, so where
// a handler must follow a change of the program's, the program calls it itself.

class CheckBox {
 public:
  explicit CheckBox(HWND control) : control_(control) {}
  [[nodiscard]] bool Checked() const { return SendMessageA(control_, BM_GETCHECK, 0, 0) == BST_CHECKED; }
  void SetSilently(bool checked) const {
    SendMessageA(control_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }

 private:
  HWND control_;
};

// A drop-down list; -1 while nothing is chosen.
class ComboBox {
 public:
  explicit ComboBox(HWND control) : control_(control) {}
  [[nodiscard]] int Selected() const { return static_cast<int>(SendMessageA(control_, CB_GETCURSEL, 0, 0)); }
  void SetSilently(int index) const { SendMessageA(control_, CB_SETCURSEL, static_cast<WPARAM>(index), 0); }

 private:
  HWND control_;
};

// The tabs of a page control; -1 while none is selected.
class TabControl {
 public:
  explicit TabControl(HWND control) : control_(control) {}
  [[nodiscard]] int Selected() const { return TabCtrl_GetCurSel(control_); }
  void SetSilently(int index) const { TabCtrl_SetCurSel(control_, index); }

 private:
  HWND control_;
};

// A bar counting steps of 1; positions beyond what the bar holds show as its end.
class ProgressBar {
 public:
  explicit ProgressBar(HWND control) : control_(control) {}
  // At 0 of `steps`.
  void Restart(std::size_t steps) const {
    SendMessageA(control_, PBM_SETRANGE32, 0, static_cast<LPARAM>(Clamped(steps)));
    SendMessageA(control_, PBM_SETSTEP, 1, 0);
    SetSilently(0);
  }
  [[nodiscard]] std::size_t Position() const {
    return static_cast<std::size_t>(SendMessageA(control_, PBM_GETPOS, 0, 0));
  }
  void SetSilently(std::size_t position) const {
    SendMessageA(control_, PBM_SETPOS, static_cast<WPARAM>(Clamped(position)), 0);
  }

 private:
  static std::size_t Clamped(std::size_t count) { return std::min<std::size_t>(count, INT_MAX); }

  HWND control_;
};

}  // namespace zobl
