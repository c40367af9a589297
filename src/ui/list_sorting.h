#pragma once

#include "inventory/inventory_list.h"
#include "inventory/uninstall_entry.h"
#include "platform/locale.h"

namespace zobl {

// Orders the inventory by the column the user last chose, by a column-title click or
// in the "Sort By:" box. The choice is not remembered across runs, and nothing
// re-applies it: a refresh that adds a row puts the list back in Name order.
class ListSorting {
 public:
  ListSorting(InventoryList& list, const Locale& locale) : list_(list), locale_(locale) {}

  [[nodiscard]] int SortColumn() const { return sortColumn_; }

  // A click on the title of `column`: sorts by it and returns the item the "Sort By:"
  // box is to show (its item i stands for column i), to be set without raising the
  // box's change event.
  int SortByColumnClicked(int column);
  // The user picked item `chosenIndex` in the "Sort By:" box; negative: nothing chosen.
  void SortByChosen(int chosenIndex);

  // Negative when the first row goes first under the current sort column.
  [[nodiscard]] int CompareEntries(const UninstallEntry& first, const UninstallEntry& second) const;

 private:
  void SortList();

  InventoryList& list_;
  const Locale& locale_;
  int sortColumn_ = kNameColumn;
};

}  // namespace zobl
