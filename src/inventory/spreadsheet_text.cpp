#include "inventory/spreadsheet_text.h"

namespace zobl {

std::string SpreadsheetText(std::string_view text) {
  constexpr std::string_view kFormulaStarts = "=+-@\t\r";
  std::string cell;
  if (!text.empty() && kFormulaStarts.find(text.front()) != std::string_view::npos) cell += '\'';
  cell += text;
  return cell;
}

}  // namespace zobl
