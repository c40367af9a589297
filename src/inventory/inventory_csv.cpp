#include "inventory/inventory_csv.h"

#include <string_view>

#include "inventory/column_text.h"
#include "inventory/spreadsheet_text.h"
#include "inventory/uninstall_key.h"

namespace zobl {
namespace {

void AppendField(std::string& line, std::string_view field) {
  if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
    line += field;
    return;
  }
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
    const std::string fields[] = {
        ColumnText(row, kNameColumn),
        row.KeyName,
        DescriptorLocation(row.Source, row.KeyName),
        ColumnText(row, kInstallDateColumn),
        row.Size == SizeState::Measured ? std::to_string(row.SizeBytes) : std::string(),
        ColumnText(row, kSizeColumn),
        ColumnText(row, kCommandColumn),
        ColumnText(row, kSupposedDirectoryColumn),
    };
    for (const std::string& field : fields) {
      if (&field != &fields[0]) csv += ',';
      AppendField(csv, SpreadsheetText(field));
    }
    csv += "\r\n";
  }
  return csv;
}

}  // namespace zobl
