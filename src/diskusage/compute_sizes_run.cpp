#include "diskusage/compute_sizes_run.h"

#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "diskusage/directory_size.h"
#include "inventory/column_text.h"

namespace zobl {
namespace {

constexpr std::uint32_t kPieRefreshAfterMilliseconds = 1000;

// Ends the scan between two entries once the window is closing or the user has asked the
// run to stop, and remembers the closing, so that no later step asks the window anything.
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

void ComputeSizesRun::ComputeFileSizes() {
  // The hidden button keeps a user from starting a second run; a click sent to it
  // anyway is ignored.
  if (running_) return;
  running_ = true;
  stopping_ = false;
  closing_ = false;
  // However the run ends, the button comes back, unless the window is gone.
  struct RunEnd {
    ComputeSizesRun& run;
    ~RunEnd() {
      run.running_ = false;
      if (!run.closing_) run.view_.EndProgress();
    }
  } end{*this};

  view_.BeginProgress(list_.Count());
  view_.ActivatePiePage();
  std::uint32_t lastCheck = ticks_.Milliseconds();
  std::unordered_set<RowId> measured;
  bool first = true;
  // The pie is rebuilt after the first row and after any row that alone took more than a
  // second; time spent on another tab counts from the last check made here.
  const auto measure = [&](RowId id) {
    if (!MeasureRow(id)) return;
    measured.insert(id);
    if (view_.PiePageActive()) {
      const std::uint32_t now = ticks_.Milliseconds();
      const std::uint32_t elapsed = now - lastCheck;  // right across the counter's wrap
      lastCheck = now;
      if (elapsed > kPieRefreshAfterMilliseconds || first) view_.PieRefresh();
    }
    first = false;
    view_.StepProgress();
  };
  for (std::size_t i = 0; i < list_.Count() && !Ending(); ++i) measure(list_.RowAt(i).Id);
  // Rows the walk by position passed over, when the list changed under it: a refresh that
  // adds a row re-sorts the list. Each is measured too, found by its id.
  for (std::vector<RowId> missed = Unmeasured(measured); !missed.empty() && !Ending(); missed = Unmeasured(measured)) {
    for (const RowId id : missed) {
      if (Ending()) break;
      if (list_.Find(id) != nullptr) measure(id);
      measured.insert(id);  // gone meanwhile: nothing to measure
    }
  }
  if (closing_) return;
  if (view_.PiePageActive()) view_.PieRefresh();
}

std::vector<RowId> ComputeSizesRun::Unmeasured(const std::unordered_set<RowId>& measured) const {
  std::vector<RowId> missed;
  for (std::size_t i = 0; i < list_.Count(); ++i) {
    if (!measured.contains(list_.RowAt(i).Id)) missed.push_back(list_.RowAt(i).Id);
  }
  return missed;
}

bool ComputeSizesRun::MeasureRow(RowId id) {
  const UninstallEntry& row = *list_.Find(id);
  // An empty path would be taken as the current drive's root: such a row is not measured.
  if (!row.Directory || row.Directory->empty()) {
    list_.SetSizeUnknown(id);
    return true;
  }
  const std::string path = *row.Directory;  // the scan pumps; the row may go meanwhile
  view_.MeasuringRow(ColumnText(row, kNameColumn));
  RunPump pump(pump_, closing_, stopping_);
  const std::uint64_t count = DirectorySize(path, listing_, pump);
  // Stopped part way, the count is a part of the directory: the row keeps what it showed.
  if (Ending()) return false;
  list_.SetMeasuredSize(id, count);
  return true;
}

}  // namespace zobl
