#include "ui/list_sorting.h"

#include "inventory/column_text.h"

namespace zobl {

int ListSorting::SortByColumnClicked(int column) {
  sortColumn_ = column;
  SortList();
  return sortColumn_;
}

void ListSorting::SortByChosen(int chosenIndex) {
  if (chosenIndex < 0) return;
  sortColumn_ = chosenIndex;
  SortList();
}

void ListSorting::SortList() {
  list_.Sort(
      [this](const UninstallEntry& first, const UninstallEntry& second) { return CompareEntries(first, second); });
}

int ListSorting::CompareEntries(const UninstallEntry& first, const UninstallEntry& second) const {
  if (sortColumn_ < 0 || sortColumn_ >= kColumnCount) return 0;
  const auto column = static_cast<ListColumn>(sortColumn_);
  if (column == kSizeColumn) {
    // Largest first; rows not measured hold 0 and come last, whatever their size text.
    if (first.sizeBytes == second.sizeBytes) return 0;
    return first.sizeBytes > second.sizeBytes ? -1 : 1;
  }
  const int order = locale_.CompareText(SortText(first, column).c_str(), SortText(second, column).c_str());
  if (sortColumn_ == kInstallDateColumn) {
    // Newest first: the fixed-width date text sorts as the calendar does, and
    // the unknown date's stand-in (punctuation before digits) ends up after every date.
    return order < 0 ? 1 : order > 0 ? -1 : 0;
  }
  return order;
}

}  // namespace zobl
