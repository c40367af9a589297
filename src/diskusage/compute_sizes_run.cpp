#include "diskusage/compute_sizes_run.h"

#include <cstdint>
#include <string>

#include "diskusage/directory_size.h"

namespace zobl {
namespace {

constexpr std::uint32_t kPieRefreshAfterMilliseconds = 1000;

// Remembers the pump's word that the window is closing, so that no later step asks
// the window anything.
class ClosingAwarePump final : public MessagePump {
 public:
  ClosingAwarePump(MessagePump& pump, bool& closing) : pump_(pump), closing_(closing) {}
  bool Pump() override {
    if (!closing_ && !pump_.Pump()) closing_ = true;
    return !closing_;
  }

 private:
  MessagePump& pump_;
  bool& closing_;
};

}  // namespace

void ComputeSizesRun::ButtonCalculeTailleClick() {
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
  for (std::size_t i = 0; i < list_.Count() && !stopping_; ++i) {
    if (!MeasureRow(i)) return;
    // The pie is rebuilt after the first row and after any row that alone took more
    // than a second; time spent on another tab counts from the last check made here.
    if (view_.PiePageActive()) {
      const std::uint32_t now = ticks_.Milliseconds();
      const std::uint32_t elapsed = now - lastCheck;  // right across the counter's wrap
      lastCheck = now;
      if (elapsed > kPieRefreshAfterMilliseconds || i == 0) view_.PieRefresh();
    }
    view_.StepProgress();
  }
  if (view_.PiePageActive()) view_.PieRefresh();
}

bool ComputeSizesRun::MeasureRow(std::size_t index) {
  const UninstallEntry& row = list_.RowAt(index);
  const RowId id = row.Id;
  // An empty path would be taken as the current drive's root: such a row is not measured.
  if (!row.Directory || row.Directory->empty()) {
    list_.SetSizeUnknown(id);
    return true;
  }
  const std::string path = *row.Directory;  // the scan pumps; the row may go meanwhile
  ClosingAwarePump pump(pump_, closing_);
  const std::uint64_t count = DirectorySize(path, listing_, pump);
  if (closing_) return false;
  list_.SetMeasuredSize(id, count);
  return true;
}

}  // namespace zobl
