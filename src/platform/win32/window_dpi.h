#pragma once

#include <windows.h>

namespace zobl::win32 {

// The resolution `window` is drawn at: its monitor's, where the system keeps one for each
// (Windows 10 1607 and later, the program being per-monitor aware), else the screen's.
int WindowDpi(HWND window);

// A size the system gives its own parts of windows (SM_CXVSCROLL, ...), at `dpi`.
int SystemMetricForDpi(int index, int dpi);

}  // namespace zobl::win32
