#include "inventory/inventory_csv.h"

#include <cstdint>
#include <optional>
#include <string_view>

#include "inventory/column_text.h"
#include "inventory/spreadsheet_text.h"
#include "inventory/uninstall_key.h"
#include "platform/console_text.h"

namespace zobl {
namespace {

// At a console a text's own line breaks and hiding characters are shown as stand-ins:
// only the program ends a line there.
std::string CellText(std::string_view text, bool forConsole) {
  return forConsole ? VisibleOnConsole(SpreadsheetText(text), false) : SpreadsheetText(text);
}

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

void AppendText(std::string& line, const std::optional<std::string>& text, bool forConsole) {
  line += ',';
  if (text) AppendQuoted(line, CellText(*text, forConsole));
}

// Numbers and flags stand bare, to be read as numbers; nothing where there is none.
void AppendNumber(std::string& line, std::optional<std::uint64_t> number) {
  line += ',';
  if (number) line += std::to_string(*number);
}

void AppendFlag(std::string& line, std::optional<bool> flag) {
  line += ',';
  if (flag) line += *flag ? '1' : '0';
}

}  // namespace

std::string InventoryCsv(const InventoryList& list, bool forConsole) {
  std::string csv =
      "Name,Key Name,Registry Path,Install Date,Size,Size Text,Command,Directory,Publisher,Version,Install Location,"
      "Install Source,Language,Estimated Size,Registry Install Date,Product Code,Windows Installer,System Component,"
      "Quiet Uninstall Command,Parent Key Name,Release Type\r\n";
  static const DescriptorDetails kNoDetails;
  for (std::size_t i = 0; i < list.Count(); ++i) {
    const UninstallEntry& row = list.RowAt(i);
    const std::string texts[] = {
        ColumnText(row, kNameColumn),
        ColumnText(row, kKeyNameColumn),
        DescriptorLocation(row.source, row.keyName),
        ColumnText(row, kInstallDateColumn),
    };
    for (const std::string& text : texts) {
      AppendQuoted(csv, CellText(text, forConsole));
      csv += ',';
    }
    // The byte count is a number, the one field a spreadsheet should read as one.
    if (row.size == SizeState::Measured) csv += std::to_string(row.sizeBytes);
    for (const ListColumn column : {kSizeColumn, kCommandColumn, kSupposedDirectoryColumn}) {
      csv += ',';
      AppendQuoted(csv, CellText(ColumnText(row, column), forConsole));
    }
    // What the descriptor tells besides, as stored: empty where it has nothing.
    const DescriptorDetails& details = row.details ? *row.details : kNoDetails;
    AppendText(csv, row.publisher, forConsole);
    AppendText(csv, row.displayVersion, forConsole);
    AppendText(csv, details.installLocation, forConsole);
    AppendText(csv, details.installSource, forConsole);
    AppendNumber(csv, details.language);
    AppendNumber(csv, details.estimatedSizeBytes);
    AppendText(csv, details.registryInstallDate, forConsole);
    AppendText(csv, details.productCode, forConsole);
    AppendFlag(csv, details.windowsInstaller);
    AppendFlag(csv, details.systemComponent);
    AppendText(csv, details.quietUninstallCommand, forConsole);
    AppendText(csv, details.parentKeyName, forConsole);
    AppendText(csv, details.releaseType, forConsole);
    csv += "\r\n";
  }
  return csv;
}

}  // namespace zobl
