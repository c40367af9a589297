#include "inventory/row_copy_text.h"

#include "inventory/column_text.h"
#include "inventory/spreadsheet_text.h"

namespace zobl {

std::string RowCopyText(const UninstallEntry& row) {
  std::string line;
  for (int column = 0; column < kColumnCount; ++column) {
    if (column > 0) line += '\t';
    for (const char c : SpreadsheetText(ColumnText(row, static_cast<ListColumn>(column)))) {
      line += c == '\t' || c == '\r' || c == '\n' ? ' ' : c;
    }
  }
  return line;
}

}  // namespace zobl
