#pragma once

#include <string>

#include "inventory/inventory_list.h"

namespace zobl {

// The inventory as a spreadsheet reads it: CRLF line ends, a header line, then one line
// per row in the list's order. Every text field is quoted, its quotes doubled, so that
// no locale's list separator splits one; numbers and flags (1 or 0) are not. Columns:
// Name, Key Name, Registry Path, Install Date, Size (bytes; empty unless measured), Size
// Text, Command, Directory, each text as the list shows it and as a spreadsheet shows it
// (SpreadsheetText: no formulas); then what the descriptor tells besides, empty where it
// has nothing: Publisher, Version, Install Location, Install Source, Language, Estimated
// Size (bytes), Registry Install Date, Product Code, Windows Installer, System Component,
// Quiet Uninstall Command, Parent Key Name, Release Type. The texts are the program's own,
// in its code page. `forConsole`: for a console, where a text's line breaks and hiding
// characters become U+FFFD (VisibleOnConsole); a file or pipe gets every text exact.
[[nodiscard]] std::string InventoryCsv(const InventoryList& list, bool forConsole = false);

// What a CSV file begins with: without it, spreadsheets take the bytes for the system's
// 8-bit code page.
inline constexpr char kUtf8ByteOrderMark[] = "\xEF\xBB\xBF";

}  // namespace zobl
