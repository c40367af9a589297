#include "diskusage/compute_sizes_run.h"

#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "diskusage/directory_size.h"
#include "inventory/column_text.h"

namespace zobl {
namespace {

// Ends the scan between two entries once the window is closing or the user has asked the
// run to stop, and remembers the closing, so that the observer is told nothing more.
class RunPump final : public MessagePump {
 public:
  RunPump(MessagePump& pump, bool& closing, const bool& stopping)
      : pump_(pump), closing_(closing), stopping_(stopping) {}
  bool Pump() override {
    if (!closing_ && !pump_.Pump()) closing_ = true;
    return !closing_ && !stopping_;
  }

 private:
  MessagePump& pump_;
  bool& closing_;
  const bool& stopping_;
};

}  // namespace

void ComputeSizesRun::ComputeFileSizes(ComputeSizesObserver& observer) {
  // The hidden button keeps a user from starting a second run; a click sent to it
  // anyway is ignored.
  if (running_) return;
  running_ = true;
  stopping_ = false;
  closing_ = false;
  observer_ = &observer;
  // However the run ends, the observer hears of it, unless the window is gone.
  struct RunEnd {
    ComputeSizesRun& run;
    ~RunEnd() {
      run.running_ = false;
      if (!run.closing_) run.observer_->RunEnded();
      run.observer_ = nullptr;
    }
  } end{*this};

  observer.RunBegun(list_.Count());
  std::unordered_set<RowId> measured;
  const auto measure = [&](RowId id) {
    if (!MeasureRow(id)) return;
    measured.insert(id);
    observer.RowMeasured();
  };
  for (std::size_t i = 0; i < list_.Count() && !Ending(); ++i) measure(list_.RowAt(i).id);
  // Rows the walk by position passed over, when the list changed under it: a refresh that
  // adds a row re-sorts the list. Each is measured too, found by its id.
  for (std::vector<RowId> missed = Unmeasured(measured); !missed.empty() && !Ending(); missed = Unmeasured(measured)) {
    for (const RowId id : missed) {
      if (Ending()) break;
      if (list_.Find(id) != nullptr) measure(id);
      measured.insert(id);  // gone meanwhile: nothing to measure
    }
  }
  if (!closing_) observer.RowsDone();
}

std::vector<RowId> ComputeSizesRun::Unmeasured(const std::unordered_set<RowId>& measured) const {
  std::vector<RowId> missed;
  for (std::size_t i = 0; i < list_.Count(); ++i) {
    if (!measured.contains(list_.RowAt(i).id)) missed.push_back(list_.RowAt(i).id);
  }
  return missed;
}

bool ComputeSizesRun::MeasureRow(RowId id) {
  const UninstallEntry& row = *list_.Find(id);
  // An empty path would be taken as the current drive's root: such a row is not measured.
  if (!row.directory || row.directory->empty()) {
    list_.SetSizeUnknown(id);
    return true;
  }
  const std::string path = *row.directory;  // the scan pumps; the row may go meanwhile
  observer_->MeasuringRow(ColumnText(row, kNameColumn));
  RunPump pump(pump_, closing_, stopping_);
  const std::uint64_t count = DirectorySize(path, listing_, pump);
  // Stopped part way, the count is a part of the directory: the row keeps what it showed.
  if (Ending()) return false;
  list_.SetMeasuredSize(id, count);
  return true;
}

}  // namespace zobl
