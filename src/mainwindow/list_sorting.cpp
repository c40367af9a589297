#include "mainwindow/list_sorting.h"

namespace zobl {

int ListSorting::CliqueColonne(int column) {
  sortColumn_ = column;
  SortList();
  return sortColumn_;
}

void ListSorting::ChangeClassement(int chosenIndex) {
  if (chosenIndex < 0) return;
  sortColumn_ = chosenIndex;
  SortList();
}

void ListSorting::SortList() {
  list_.Sort(
      [this](const UninstallEntry& first, const UninstallEntry& second) { return CompareEntries(first, second); });
}

int ListSorting::CompareEntries(const UninstallEntry& first, const UninstallEntry& second) const {
  if (sortColumn_ == kNameColumn) return locale_.CompareText(first.Name.c_str(), second.Name.c_str());
  if (sortColumn_ < 0) return 0;

  // A row still lacking the column's text ties with every other row.
  const auto k = static_cast<std::size_t>(sortColumn_ - 1);
  const std::string* firstText = first.FurtherText(k);
  const std::string* secondText = second.FurtherText(k);
  if (firstText == nullptr || secondText == nullptr) return 0;

  if (sortColumn_ == kSizeColumn) {
    // Largest first; rows not measured hold 0 and come last, whatever their size text.
    if (first.SizeBytes == second.SizeBytes) return 0;
    return first.SizeBytes > second.SizeBytes ? -1 : 1;
  }
  const int order = locale_.CompareText(firstText->c_str(), secondText->c_str());
  if (sortColumn_ == kInstallDateColumn) {
    // Newest first: the fixed-width date text sorts as the calendar does, and
    // "[unknown]" (punctuation before digits) ends up after every date.
    return order < 0 ? 1 : order > 0 ? -1 : 0;
  }
  return order;
}

}  // namespace zobl
