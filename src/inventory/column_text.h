#pragma once

#include <string>

#include "inventory/uninstall_entry.h"

namespace zobl {

// The text the list shows for a row in `column`, the stand-ins for what could not be had
// included ("[NO NAME]", "[unknown]", "[NOT YET COMPUTED]", "unknown", an empty text for
// 512 bytes or less, "[NO COMMAND]", "[MISSING OR SYSTEM DIRECTORY ?]"). Printing, copying
// and the pie's labels read the same texts.
[[nodiscard]] std::string ColumnText(const UninstallEntry& row, ListColumn column);

// The text a column sorts by: the shown text, without a copy. The size column has none;
// it sorts by SizeBytes.
[[nodiscard]] const std::string& SortText(const UninstallEntry& row, ListColumn column);

}  // namespace zobl
