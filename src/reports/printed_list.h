#pragma once

#include <string>

#include "inventory/shown_rows.h"
#include "platform/print_platform.h"

namespace zobl {

inline constexpr char kPrintHeaderStart[] = "Software stats by ZOBL (Quillmoor). Date=";

// "Software stats by ZOBL (Quillmoor). Date=2001.7.4 9h5": no leading zeros.
std::string PrintHeader(const LocalDateTime& now);

// The list as printed text: the header, an empty line, then for each row in display
// order "name Date=date Size=size Directory=directory", one line each, page after page,
// in the copies asked for. The rows are those the list shows once the dialog is closed:
// while the filter box holds a text, the list as filtered. Nothing is printed when the
// user cancels the dialog.
void PrintInventory(const ShownRows& rows, PrintPlatform& platform);

}  // namespace zobl
