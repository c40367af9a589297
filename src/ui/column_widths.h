#pragma once

#include <array>
#include <optional>

#include "inventory/uninstall_entry.h"

namespace zobl {

using ColumnWidths = std::array<int, kColumnCount>;

// What the list's columns are shared out from, in pixels at the screen's resolution.
struct ColumnWidthRoom {
  int available = 0;      // the list's width for its columns, a vertical scroll bar's set aside
  ColumnWidths design{};  // the design's widths
  ColumnWidths needed{};  // what each column's title and widest texts need to read whole
  std::array<std::optional<int>, kColumnCount> userSet{};  // widths the user dragged a divider to
};

// The list's column widths: each column as wide as the design makes it, or as its title
// and texts need when that is more; the room the list has beyond that goes to the
// Command and Directory columns, in the proportion of their design widths. A width the user set
// stays, and the room then goes to whichever of those two the user left alone. A list
// too narrow for all that scrolls across.
ColumnWidths ShareColumnWidths(const ColumnWidthRoom& room);

}  // namespace zobl
