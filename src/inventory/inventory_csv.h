#pragma once

#include <string>

#include "inventory/inventory_list.h"

namespace zobl {

// The inventory as a spreadsheet reads it: UTF-8 with a byte-order mark (without one,
// spreadsheets take the bytes for the system's 8-bit code page), CRLF line ends, a
// header line, then one line per row in the list's order. A field is quoted when it
// holds a comma, a quote or a line break, its quotes doubled. Columns: Name, Key Name,
// Registry Path, Install Date, Size (bytes; empty unless measured), Size Text, Command,
// Directory, each text as the list shows it.
[[nodiscard]] std::string InventoryCsv(const InventoryList& list);

}  // namespace zobl
