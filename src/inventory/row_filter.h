#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "inventory/uninstall_entry.h"
#include "platform/locale.h"

namespace zobl {

// The filter box's test of a row: its name, key name, command (as stored), directory or
// publisher holds the typed text, letter case ignored in every script the locale folds,
// as the registry and the list's typed search fold names. An empty text holds every row.
class RowFilter {
 public:
  RowFilter(const Locale& locale, std::string_view text);

  [[nodiscard]] bool Empty() const { return wanted_.empty(); }
  [[nodiscard]] bool Matches(const UninstallEntry& row) const;

 private:
  [[nodiscard]] bool Holds(const std::string& field) const;
  [[nodiscard]] bool Holds(const std::optional<std::string>& field) const { return field && Holds(*field); }

  const Locale* locale_;
  std::string wanted_;          // the text in upper case
  mutable std::string folded_;  // one field in upper case, its storage kept from row to row
};

}  // namespace zobl
