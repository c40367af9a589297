#pragma once

#include <string>

#include "inventory/inventory_list.h"

namespace zobl {

// The inventory as a spreadsheet reads it: CRLF line ends, a header line, then one line
// per row in the list's order. A field is quoted when it holds a comma, a quote or a
// line break, its quotes doubled. Columns: Name, Key Name, Registry Path, Install Date,
// Size (bytes; empty unless measured), Size Text, Command, Directory, each text as the
// list shows it and as a spreadsheet shows it (SpreadsheetText: no formulas). The
// texts are the program's own, in its code page; a file holds them as UTF-8.
[[nodiscard]] std::string InventoryCsv(const InventoryList& list);

// What a CSV file begins with: without it, spreadsheets take the bytes for the system's
// 8-bit code page.
inline constexpr char kUtf8ByteOrderMark[] = "\xEF\xBB\xBF";

}  // namespace zobl
