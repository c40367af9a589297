#include "inventory/inventory_list.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "inventory/column_text.h"

namespace zobl {

const UninstallEntry& InventoryList::RowAt(std::size_t index) const {
  if (index >= rows_.size()) throw std::out_of_range("no row at index " + std::to_string(index));
  return *rows_[index];
}

std::optional<std::size_t> InventoryList::IndexOf(RowId id) const {
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (rows_[i]->id == id) return i;
  }
  return std::nullopt;
}

const UninstallEntry* InventoryList::Find(RowId id) const { return FindMutable(id); }

UninstallEntry* InventoryList::FindMutable(RowId id) const {
  const auto it = rowsById_.find(id);
  return it != rowsById_.end() ? it->second : nullptr;
}

void InventoryList::DeleteAt(std::size_t index) {
  if (index >= rows_.size()) throw std::out_of_range("no row to delete at index " + std::to_string(index));
  rowsById_.erase(rows_[index]->id);
  rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(index));
  ++orderVersion_;
  NotifyCountChanged();
}

RowId InventoryList::Add(UninstallEntry entry) {
  auto row = std::make_unique<UninstallEntry>(std::move(entry));
  row->id = nextId_++;
  row->selected = false;
  const RowId id = row->id;
  rowsById_.emplace(id, row.get());
  rows_.push_back(std::move(row));
  ++orderVersion_;
  NotifyCountChanged();
  PlaceByName(id);
  NotifyRowsChanged();
  return id;
}

bool InventoryList::SetName(RowId id, std::optional<std::string> name) {
  UninstallEntry* row = FindMutable(id);
  if (row == nullptr) return false;
  row->name = std::move(name);
  PlaceByName(id);
  NotifyRowsChanged();
  return true;
}

bool InventoryList::SetSizeBytes(RowId id, std::uint64_t bytes) {
  return Change(id, [bytes](UninstallEntry& row) { row.sizeBytes = bytes; });
}

bool InventoryList::SetMeasuredSize(RowId id, std::uint64_t bytes) {
  return Change(id, [bytes](UninstallEntry& row) {
    row.size = SizeState::Measured;
    row.sizeBytes = bytes;
  });
}

bool InventoryList::SetSizeUnknown(RowId id) {
  return Change(id, [](UninstallEntry& row) { row.size = SizeState::Unknown; });
}

void InventoryList::Sort(const EntryComparison& compare) {
  std::stable_sort(rows_.begin(), rows_.end(),
                   [&compare](const auto& a, const auto& b) { return compare(*a, *b) < 0; });
  inNameOrder_ = false;
  ++orderVersion_;
  NotifyRowsChanged();
}

void InventoryList::PlaceByName(RowId id) {
  UninstallEntry& named = *FindMutable(id);
  named.nameSortKey = locale_.SortKey(SortText(named, kNameColumn));
  // Sort keys compare as unsigned bytes, as std::string compares.
  const auto before = [](const std::unique_ptr<UninstallEntry>& a, const std::unique_ptr<UninstallEntry>& b) {
    return a->nameSortKey < b->nameSortKey;
  };
  if (inNameOrder_) {
    // Every other row is in order: move this one into place, after the names it ties with.
    // Looked for from the end, where a new row waits, rather than through every row
    // before it: a first refresh adds every row.
    const auto it = std::find_if(rows_.rbegin(), rows_.rend(), [id](const auto& row) { return row->id == id; });
    std::unique_ptr<UninstallEntry> row = std::move(*it);
    rows_.erase(std::next(it).base());
    const auto place = std::upper_bound(rows_.begin(), rows_.end(), row, before);
    rows_.insert(place, std::move(row));
  } else {
    std::stable_sort(rows_.begin(), rows_.end(), before);
  }
  inNameOrder_ = true;
  ++orderVersion_;
}

void InventoryList::Select(RowId id) {
  if (FindMutable(id) == nullptr) return;
  bool changed = false;
  for (const auto& row : rows_) {
    const bool selected = row->id == id;
    if (row->selected != selected) {
      row->selected = selected;
      changed = true;
    }
  }
  if (changed) NotifyRowsChanged();
}

void InventoryList::ClearSelection() {
  bool changed = false;
  for (const auto& row : rows_) {
    changed = changed || row->selected;
    row->selected = false;
  }
  if (changed) NotifyRowsChanged();
}

std::optional<std::size_t> InventoryList::SelectedIndex() const {
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (rows_[i]->selected) return i;
  }
  return std::nullopt;
}

void InventoryList::SuspendRepaint() {
  if (repaintSuspensions_++ == 0 && observer_ != nullptr) observer_->RepaintSuspended();
}

void InventoryList::ResumeRepaint() {
  if (repaintSuspensions_ == 0 || --repaintSuspensions_ > 0) return;
  if (rowsChangedWhileSuspended_) {
    rowsChangedWhileSuspended_ = false;
    if (observer_ != nullptr) observer_->RowsChanged();
  }
  if (observer_ != nullptr) observer_->RepaintResumed();
}

void InventoryList::NotifyCountChanged() {
  if (observer_ != nullptr) observer_->CountChanged(rows_.size());
}

void InventoryList::NotifyRowsChanged() {
  if (repaintSuspensions_ > 0) {
    rowsChangedWhileSuspended_ = true;
  } else if (observer_ != nullptr) {
    observer_->RowsChanged();
  }
}

}  // namespace zobl
