#pragma once

#include <windows.h>
#include <commctrl.h>

#include "platform/win32/gdi_handles.h"

namespace zobl {

// The program's own pictures, drawn at start-up (nothing is loaded from files).

// The two row pictures at `size` pixels: 0, "OK" in black on green; 1, a red
// crossed-out circle on green.
win32::ScopedImageList CreateRowImages(int size);
// The tool bar's three pictures at `size` pixels: a details list, large icons, a printer.
win32::ScopedImageList CreateToolBarImages(int size);
// The window's 32 by 32 icon.
HICON CreateWindowIcon();
// The picture beside "About the Author himself" at `size` pixels: a person's head and shoulders.
HICON CreateAuthorIcon(int size);

}  // namespace zobl
