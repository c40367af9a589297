#include "inventory/spreadsheet_text.h"

#include <array>
#include <span>

namespace zobl {
namespace {

// A spreadsheet skips these before it looks for a formula: a space, a tab, CR, LF, the
// ideographic space U+3000 and U+FEFF.
constexpr std::array<std::string_view, 6> kLeadingBlanks = {" ", "\t", "\r", "\n", "\xE3\x80\x80", "\xEF\xBB\xBF"};
// = + - @ and their full-width forms U+FF1D, U+FF0B, U+FF0D, U+FF20.
constexpr std::array<std::string_view, 8> kFormulaStarts = {"=", "+", "-", "@", "\xEF\xBC\x9D", "\xEF\xBC\x8B",
                                                            "\xEF\xBC\x8D", "\xEF\xBC\xA0"};

bool StartsWithAny(std::string_view text, std::span<const std::string_view> starts, std::size_t& length) {
  for (const std::string_view start : starts) {
    if (text.starts_with(start)) {
      length = start.size();
      return true;
    }
  }
  return false;
}

}  // namespace

std::string SpreadsheetText(std::string_view text) {
  std::string_view rest = text;
  std::size_t length = 0;
  while (StartsWithAny(rest, kLeadingBlanks, length)) rest.remove_prefix(length);
  // A text that begins with a tab or a CR is taken apart or for a formula by some readers
  // whatever follows.
  const bool formula = StartsWithAny(rest, kFormulaStarts, length) || text.starts_with('\t') || text.starts_with('\r');
  std::string cell;
  if (formula) cell += '\'';
  cell += text;
  return cell;
}

}  // namespace zobl
