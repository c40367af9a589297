#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "inventory/inventory_list.h"
#include "inventory/row_filter.h"
#include "platform/locale.h"

namespace zobl {

// The rows the list view shows, in the inventory's display order: all of them, or while
// the filter box holds a text, those the filter matches. Indices here are the view's.
// The shown order is made again when first asked for after rows came, went, were renamed
// or reordered; with an empty filter it is the inventory itself, with no copy kept.
// Rows are held by pointer, valid until the inventory's order next changes.
class ShownRows {
 public:
  ShownRows(const InventoryList& list, const Locale& locale) : list_(list), locale_(locale), filter_(locale, {}) {}
  ShownRows(const ShownRows&) = delete;
  ShownRows& operator=(const ShownRows&) = delete;

  void SetFilterText(std::string_view text);
  [[nodiscard]] bool Filtering() const { return !filter_.Empty(); }

  [[nodiscard]] std::size_t Count() const;
  // Every row of the inventory, shown or not.
  [[nodiscard]] std::size_t TotalCount() const { return list_.Count(); }
  // Throws std::out_of_range for an index past the end.
  [[nodiscard]] const UninstallEntry& RowAt(std::size_t index) const;
  [[nodiscard]] std::optional<std::size_t> IndexOf(RowId id) const;
  // The selected row's index, when it is shown.
  [[nodiscard]] std::optional<std::size_t> SelectedIndex() const;
  // The first shown row from `start` on whose Name begins with `prefix`, letter case
  // ignored; with `wrap`, the search goes on from the top up to `start`.
  [[nodiscard]] std::optional<std::size_t> FindNamePrefix(std::string_view prefix, std::size_t start, bool wrap) const;

 private:
  void Update() const;

  const InventoryList& list_;
  const Locale& locale_;
  RowFilter filter_;
  mutable std::vector<const UninstallEntry*> rows_;  // while filtering
  mutable std::optional<std::uint64_t> madeAt_;      // the inventory's order version rows_ was made at
};

// "12 of 240 programs" while the filter box holds a text; empty while it is empty.
std::string ShownCountText(const ShownRows& shown);

}  // namespace zobl
