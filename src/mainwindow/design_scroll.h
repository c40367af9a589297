#pragma once

#include <windows.h>

namespace zobl {

// A client area smaller than the design scrolls over it: the window's scroll bars, and
// the offset its controls are laid out at.
class DesignScroll {
 public:
  DesignScroll(HWND window, SIZE design) : window_(window), design_(design) {}

  // Fits the bars to the client area, which they may then make smaller.
  void Fit();
  // The layout's size changed (another resolution); Fit follows it.
  void SetDesign(SIZE design) { design_ = design; }
  // A scroll bar's request (SB_LINEUP, SB_THUMBTRACK, ...); a line is `line` pixels.
  void Scroll(int bar, int request, int line);
  // Back to the design's top left corner.
  void Home();
  [[nodiscard]] POINT Offset() const { return offset_; }

 private:
  // Moves the content so that `position` of the layout is at the client's edge.
  void ScrollTo(int bar, int position);

  HWND window_;
  SIZE design_;
  POINT offset_{0, 0};
};

}  // namespace zobl
