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

// The inventory's rows in display order. The list keeps itself in Name order: setting
// a row's Name re-sorts it, so a row appended and then named does not stay at the end.
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
  // A new, empty row at the end, for a descriptor of `source`.
  RowId Append(RegistrySource source = RegistrySource::Machine64);

  // Each setter returns false, changing nothing, when the row has left the list.
  bool SetName(RowId id, std::string name);
  bool SetStatusImage(RowId id, int image);
  bool SetSizeBytes(RowId id, std::uint64_t bytes);
  bool AppendFurtherText(RowId id, std::string text);
  bool SetExpandedCommand(RowId id, std::string command);
  bool SetDirectoryFromInstallLocation(RowId id, bool fromInstallLocation);
  // Also false when the row does not have further text number k yet.
  bool SetFurtherText(RowId id, std::size_t k, std::string text);

  // Reorders all rows; rows that tie keep their relative order.
  void Sort(const EntryComparison& compare);

  void Select(RowId id);
  void ClearSelection();
  [[nodiscard]] std::optional<std::size_t> SelectedIndex() const;
  // The first row from `start` on whose Name begins with `prefix`, letter case ignored;
  // with `wrap`, the search goes on from the top up to `start`.
  [[nodiscard]] std::optional<std::size_t> FindNamePrefix(std::string_view prefix, std::size_t start, bool wrap) const;

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
  void PlaceByName(RowId id);
  void NotifyCountChanged();
  void NotifyRowsChanged();

  const Locale& locale_;
  InventoryListObserver* observer_ = nullptr;
  // Rows live on the heap so that sorting moves pointers and a row's texts stay put.
  std::vector<std::unique_ptr<UninstallEntry>> rows_;
  std::unordered_map<RowId, UninstallEntry*> rowsById_;
  RowId nextId_ = 1;

  // Name order is kept cheaply while the list is known to be in it: then a newly
  // named row is moved into place instead of the whole list being re-sorted. The one
  // row that may be out of place is the row appended last, not yet named.
  bool inNameOrder_ = true;
  RowId unplacedRow_ = kNoRow;

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
