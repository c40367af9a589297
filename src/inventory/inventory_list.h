#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "inventory/uninstall_entry.h"
#include "platform/locale.h"

namespace zobl {

// What a view of the list hears. A count change is told at once, so a view never
// asks for a row the list no longer has; changes of texts, order and selection are
// gathered while repainting is suspended and told once when it resumes.
class InventoryListObserver {
 public:
  virtual ~InventoryListObserver() = default;

  // Rows came or went; those behind them moved, so everything shown is to be re-read.
  virtual void CountChanged(std::size_t count) = 0;
  virtual void RowsChanged() = 0;
  virtual void RepaintSuspended() = 0;
  virtual void RepaintResumed() = 0;
};

// Negative when the first row goes before the second, 0 when they tie, positive after.
using EntryComparison = std::function<int(const UninstallEntry&, const UninstallEntry&)>;

// The inventory's rows in display order. The list keeps itself in Name order: adding a
// row or setting its Name re-sorts it, whatever order the user chose meanwhile.
// Selection belongs to the row (one at most): it moves with the row and goes with it.
class InventoryList {
 public:
  explicit InventoryList(const Locale& locale) : locale_(locale) {}
  InventoryList(const InventoryList&) = delete;
  InventoryList& operator=(const InventoryList&) = delete;

  void SetObserver(InventoryListObserver* observer) { observer_ = observer; }

  [[nodiscard]] std::size_t Count() const { return rows_.size(); }
  // Throws std::out_of_range for an index past the end.
  [[nodiscard]] const UninstallEntry& RowAt(std::size_t index) const;
  [[nodiscard]] std::optional<std::size_t> IndexOf(RowId id) const;
  // The row, or nullptr once it has left the list. Valid until the row is deleted.
  [[nodiscard]] const UninstallEntry* Find(RowId id) const;

  void DeleteAt(std::size_t index);
  // Adds `row` (its id and selection are the list's to give) and puts it in Name order,
  // after the rows whose names tie with its own.
  RowId Add(UninstallEntry row);

  // Each setter returns false, changing nothing, when the row has left the list.
  // Naming a row puts the list in Name order again.
  bool SetName(RowId id, std::optional<std::string> name);
  bool SetSizeBytes(RowId id, std::uint64_t bytes);
  bool SetMeasuredSize(RowId id, std::uint64_t bytes);
  // The row has no directory to measure; its last byte count stays.
  bool SetSizeUnknown(RowId id);

  // Reorders all rows; rows that tie keep their relative order.
  void Sort(const EntryComparison& compare);

  void Select(RowId id);
  void ClearSelection();
  [[nodiscard]] std::optional<std::size_t> SelectedIndex() const;
  // Changes whenever rows come, go, are renamed or reordered: while it stays, so do the
  // rows and their order.
  [[nodiscard]] std::uint64_t OrderVersion() const { return orderVersion_; }

  // Nestable; the outermost resume tells the view what changed meanwhile.
  void SuspendRepaint();
  void ResumeRepaint();

 private:
  UninstallEntry* FindMutable(RowId id) const;
  // Applies `change` to the row and tells the view; false when the row has left.
  template <typename Changer>
  bool Change(RowId id, Changer&& change) {
    UninstallEntry* row = FindMutable(id);
    if (row == nullptr) return false;
    change(*row);
    NotifyRowsChanged();
    return true;
  }
  // Weighs the row's name into its sort key and moves the row to its place in Name order.
  void PlaceByName(RowId id);
  void NotifyCountChanged();
  void NotifyRowsChanged();

  const Locale& locale_;
  InventoryListObserver* observer_ = nullptr;
  // Rows live on the heap so that sorting moves pointers and a row's texts stay put.
  std::vector<std::unique_ptr<UninstallEntry>> rows_;
  std::unordered_map<RowId, UninstallEntry*> rowsById_;
  RowId nextId_ = 1;
  std::uint64_t orderVersion_ = 0;

  // Name order is kept cheaply while the list is known to be in it: then a row added or
  // renamed is moved into place instead of the whole list being re-sorted.
  bool inNameOrder_ = true;

  int repaintSuspensions_ = 0;
  bool rowsChangedWhileSuspended_ = false;
};

// Repainting suspended for a scope, resumed however the scope is left.
class ScopedRepaintSuspension {
 public:
  explicit ScopedRepaintSuspension(InventoryList& list) : list_(list) { list_.SuspendRepaint(); }
  ~ScopedRepaintSuspension() { list_.ResumeRepaint(); }
  ScopedRepaintSuspension(const ScopedRepaintSuspension&) = delete;
  ScopedRepaintSuspension& operator=(const ScopedRepaintSuspension&) = delete;

 private:
  InventoryList& list_;
};

}  // namespace zobl
