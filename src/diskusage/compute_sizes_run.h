#pragma once

#include <cstddef>
#include <string>
#include <unordered_set>
#include <vector>

#include "inventory/inventory_list.h"
#include "platform/directory_listing.h"
#include "platform/message_pump.h"
#include "platform/tick_source.h"

namespace zobl {

// What a run shows of itself in the window.
class ComputeSizesView {
 public:
  virtual ~ComputeSizesView() = default;

  // The progress bar set to 0 of `rows` in steps of 1; the button hidden, then the bar
  // shown in its place.
  virtual void BeginProgress(std::size_t rows) = 0;
  virtual void StepProgress() = 0;
  // The row whose directory is measured next, by the name the list shows: a console
  // shows it, the window does not.
  virtual void MeasuringRow(const std::string& name) { static_cast<void>(name); }
  // The bar, showing every step taken, hidden; then the button shown again.
  virtual void EndProgress() = 0;
  // Makes the Pie tab the active page; its show handler rebuilds the pie if it was not.
  virtual void ActivatePiePage() = 0;
  [[nodiscard]] virtual bool PiePageActive() const = 0;
  virtual void PieRefresh() = 0;
};

// "Compute the Files Size": measures the supposed directory of every row from the top,
// writes the size text and SizeBytes, and keeps the pie up to date while it goes.
//
// The scan pumps messages, so refreshes, sorts, the list commands and the window's
// closing run in the middle of a run. The run goes on by position, re-reading the row
// count before every row; a result goes to the row that was measured, found again by
// its id, and is dropped once that row has left the list. Rows the walk passed over
// because the list changed under it are measured after it, by id: no row listed at the
// end keeps "not yet computed". Once the pump reports the
// window closing, the run stops and touches neither the list nor the view again.
// Asked to stop, the scan ends between two directory entries, the row under way keeps the
// text it had, and the run ends as after its last row.
class ComputeSizesRun {
 public:
  ComputeSizesRun(InventoryList& list,
                  DirectoryListing& listing,
                  MessagePump& pump,
                  TickSource& ticks,
                  ComputeSizesView& view)
      : list_(list), listing_(listing), pump_(pump), ticks_(ticks), view_(view) {}

  void ComputeFileSizes();
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
  TickSource& ticks_;
  ComputeSizesView& view_;
  bool running_ = false;
  bool stopping_ = false;
  bool closing_ = false;
};

}  // namespace zobl
