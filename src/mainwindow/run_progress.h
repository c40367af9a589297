#pragma once

#include <windows.h>

#include <cstddef>

#include "mainwindow/control_wrappers.h"
#include "platform/win32/window_timer.h"

namespace zobl {

// A run of "Compute the Files Size" as the window shows it: the progress bar in the
// button's place while it goes. The bar paints itself at once on every change, which
// costs as much as measuring a small directory, so it is shown the count of rows done a
// few times a second instead, by the window's timer.
class RunProgress {
 public:
  static constexpr UINT_PTR kTimer = 1;  // the window's timer for it

  RunProgress(HWND window, HWND button, HWND bar) : window_(window), button_(button), bar_(bar), barWindow_(bar) {}

  void Begin(std::size_t rows);
  void Step() { ++done_; }
  void End();
  // The window's timer `kTimer` went off.
  void OnTimer() const { Show(); }

 private:
  void Show() const;

  HWND window_;
  HWND button_;
  ProgressBar bar_;
  HWND barWindow_;
  std::size_t done_ = 0;
  win32::ScopedWindowTimer timer_;
};

}  // namespace zobl
