#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "inventory/uninstall_entry.h"

namespace zobl::bench {

// What a row shows: its six texts and its picture.
struct ShownRow {
  std::array<std::string, kColumnCount> texts;
  int image = 0;
};

// The list view's own painting of the rows a window shows, alone, for comparison: a
// bare window at `place` (screen coordinates) holding a virtual list view with the
// window's columns, font and row pictures at `dpi`, each cell answered from texts made
// beforehand, and a thread hook that does nothing (as the background picture's does for
// every message but an erase). Returns the milliseconds a repaint of `rows` costs above
// a repaint of no rows, medians of 9.
double BareListPaintCost(const RECT& place, HFONT font, int dpi, const std::vector<ShownRow>& rows);

}  // namespace zobl::bench
