#pragma once

#include <cstddef>
#include <string>
#include <unordered_set>
#include <vector>

#include "inventory/inventory_list.h"
#include "platform/directory_listing.h"
#include "platform/message_pump.h"

namespace zobl {

// What a run tells of itself as it goes: the window shows it (its progress bar, the Pie
// tab), the console prints it. Each is told nothing it does not want.
class ComputeSizesObserver {
 public:
  virtual ~ComputeSizesObserver() = default;

  // The run begins with `rows` rows in the list.
  virtual void RunBegun(std::size_t rows) { static_cast<void>(rows); }
  // The row whose directory is measured next, by the name the list shows.
  virtual void MeasuringRow(const std::string& name) { static_cast<void>(name); }
  // A row's size is written (or the row was found to have no directory).
  virtual void RowMeasured() {}
  // Every row the run reached has been measured, or the run was stopped; not told when a
  // failure ends the run.
  virtual void RowsDone() {}
  // The run is over, however it ended.
  virtual void RunEnded() {}
};

// "Compute the Files Size": measures the supposed directory of every row from the top,
// writes the size text and SizeBytes, and tells an observer how far it has come.
//
// The scan pumps messages, so refreshes, sorts, the list commands and the window's
// closing run in the middle of a run. The run goes on by position, re-reading the row
// count before every row; a result goes to the row that was measured, found again by
// its id, and is dropped once that row has left the list. Rows the walk passed over
// because the list changed under it are measured after it, by id: no row listed at the
// end keeps "not yet computed". Once the pump reports the
// window closing, the run stops and touches neither the list nor the observer again.
// Asked to stop, the scan ends between two directory entries, the row under way keeps the
// text it had, and the run ends as after its last row.
class ComputeSizesRun {
 public:
  ComputeSizesRun(InventoryList& list, DirectoryListing& listing, MessagePump& pump)
      : list_(list), listing_(listing), pump_(pump) {}

  void ComputeFileSizes(ComputeSizesObserver& observer);
  [[nodiscard]] bool Running() const { return running_; }
  // The user's Escape: rows not yet reached keep their texts.
  void Stop() { stopping_ = running_; }

 private:
  // Measures the row, which is in the list; false, with the row untouched, when the run
  // ended before its directory was measured whole.
  bool MeasureRow(RowId id);
  [[nodiscard]] bool Ending() const { return stopping_ || closing_; }
  // The listed rows not in `measured`, in display order.
  [[nodiscard]] std::vector<RowId> Unmeasured(const std::unordered_set<RowId>& measured) const;

  InventoryList& list_;
  DirectoryListing& listing_;
  MessagePump& pump_;
  ComputeSizesObserver* observer_ = nullptr;  // while a run goes
  bool running_ = false;
  bool stopping_ = false;
  bool closing_ = false;
};

}  // namespace zobl
