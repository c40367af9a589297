#pragma once

#include <windows.h>

#include "platform/win32/window_scale.h"

namespace zobl {

// A client area smaller than the design scrolls over it: the window's scroll bars, and
// the offset its controls are laid out at. The design's size is given at kDesignDpi and
// scrolled over at the window's scale.
class DesignScroll {
 public:
  DesignScroll(HWND window, const win32::WindowScale& scale, SIZE design)
      : window_(window), scale_(scale), design_(design) {}

  // Fits the bars to the client area, which they may then make smaller.
  void Fit();
  // A scroll bar's request (SB_LINEUP, SB_THUMBTRACK, ...).
  void Scroll(int bar, int request);
  // Back to the design's top left corner.
  void Home();
  [[nodiscard]] POINT Offset() const { return offset_; }

 private:
  // Moves the content so that `position` of the layout is at the client's edge.
  void ScrollTo(int bar, int position);

  HWND window_;
  const win32::WindowScale& scale_;
  SIZE design_;
  POINT offset_{0, 0};
};

}  // namespace zobl
