#include "inventory/inventory_csv.h"

#include <string_view>

#include "inventory/column_text.h"
#include "inventory/spreadsheet_text.h"
#include "inventory/uninstall_key.h"

namespace zobl {
namespace {

// Every text is quoted: a spreadsheet whose list separator is ';' (as in many locales)
// would otherwise split "Total;=1+1" there and run the formula after it.
void AppendQuoted(std::string& line, std::string_view field) {
  line += '"';
  for (const char c : field) {
    if (c == '"') line += '"';
    line += c;
  }
  line += '"';
}

}  // namespace

std::string InventoryCsv(const InventoryList& list) {
  std::string csv = "Name,Key Name,Registry Path,Install Date,Size,Size Text,Command,Directory\r\n";
  for (std::size_t i = 0; i < list.Count(); ++i) {
    const UninstallEntry& row = list.RowAt(i);
    const std::string texts[] = {
        ColumnText(row, kNameColumn),
        row.KeyName,
        DescriptorLocation(row.Source, row.KeyName),
        ColumnText(row, kInstallDateColumn),
    };
    for (const std::string& text : texts) {
      AppendQuoted(csv, SpreadsheetText(text));
      csv += ',';
    }
    // The byte count is a number, the one field a spreadsheet should read as one.
    if (row.Size == SizeState::Measured) csv += std::to_string(row.SizeBytes);
    for (const ListColumn column : {kSizeColumn, kCommandColumn, kSupposedDirectoryColumn}) {
      csv += ',';
      AppendQuoted(csv, SpreadsheetText(ColumnText(row, column)));
    }
    csv += "\r\n";
  }
  return csv;
}

}  // namespace zobl
