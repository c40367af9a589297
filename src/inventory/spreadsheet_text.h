#pragma once

#include <string>
#include <string_view>

namespace zobl {

// A text as a spreadsheet cell must hold it to show it, never to run it: any process of
// the user can write a descriptor named "=HYPERLINK(...)", and a spreadsheet takes a
// cell that begins with =, +, -, @ (or their full-width forms), after any blanks (spaces,
// tabs, line breaks, U+3000, U+FEFF), or with a tab or a carriage return, for a formula.
// Such a text gets a leading apostrophe, which spreadsheets read as "this is text"; any other
// text stays exactly as it is.
[[nodiscard]] std::string SpreadsheetText(std::string_view text);

}  // namespace zobl
