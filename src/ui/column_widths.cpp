#include "ui/column_widths.h"

#include <algorithm>
#include <numeric>

#include "ui/window_design.h"

namespace zobl {

ColumnWidths ShareColumnWidths(const ColumnWidthRoom& room) {
  ColumnWidths widths{};
  for (int c = 0; c < kColumnCount; ++c) {
    widths[c] = room.userSet[c].value_or(std::max(room.design[c], room.needed[c]));
  }
  const int rest = room.available - std::accumulate(widths.begin(), widths.end(), 0);
  if (rest <= 0) return widths;
  // Only the columns the user left alone grow, in the proportion of their design widths.
  const int commandShare = room.userSet[kCommandColumn] ? 0 : kListColumns[kCommandColumn].width;
  const int directoryShare = room.userSet[kSupposedDirectoryColumn] ? 0 : kListColumns[kSupposedDirectoryColumn].width;
  if (commandShare + directoryShare == 0) return widths;
  const int toCommand = rest * commandShare / (commandShare + directoryShare);
  widths[kCommandColumn] += toCommand;
  widths[kSupposedDirectoryColumn] += rest - toCommand;
  return widths;
}

}  // namespace zobl
