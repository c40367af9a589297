#include "mainwindow/column_widths.h"

#include <algorithm>
#include <numeric>

#include "mainwindow/form_design.h"

namespace zobl {

ColumnWidths ShareColumnWidths(const ColumnWidthRoom& room) {
  ColumnWidths widths{};
  for (int c = 0; c < kColumnCount; ++c) {
    widths[c] = room.userSet[c].value_or(std::max(room.design[c], room.needed[c]));
  }
  const int rest = room.available - std::accumulate(widths.begin(), widths.end(), 0);
  if (rest <= 0) return widths;
  const bool command = !room.userSet[kCommandColumn];
  const bool directory = !room.userSet[kSupposedDirectoryColumn];
  const int commandShare = kListColumns[kCommandColumn].width;
  const int directoryShare = kListColumns[kSupposedDirectoryColumn].width;
  const int toCommand = command && directory ? rest * commandShare / (commandShare + directoryShare) : command ? rest : 0;
  widths[kCommandColumn] += toCommand;
  if (directory) widths[kSupposedDirectoryColumn] += rest - toCommand;
  return widths;
}

}  // namespace zobl
