#pragma once

#include <string>

#include "inventory/uninstall_entry.h"

namespace zobl {

// What Ctrl+C puts on the clipboard for a row: its six column texts as the list shows
// them, in column order, separated by tabs, on one line. A tab or line break inside a
// text becomes a blank, so that a paste keeps one cell per column and one row; a text a
// spreadsheet would take for a formula is pasted as text (SpreadsheetText).
[[nodiscard]] std::string RowCopyText(const UninstallEntry& row);

}  // namespace zobl
