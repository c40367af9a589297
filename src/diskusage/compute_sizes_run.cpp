#include "diskusage/compute_sizes_run.h"

#include <cstdint>
#include <string>

#include "diskusage/directory_size.h"
#include "diskusage/size_text.h"
#include "inventory/placeholder_texts.h"

namespace zobl {
namespace {

constexpr std::size_t kSizeText = kSizeColumn - 1;  // the size column among a row's further texts
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
  const std::string* directory = row.FurtherText(kSupposedDirectoryColumn - 1);
  // A row without a directory text is never measured: an empty path would be taken as
  // the current drive's root.
  if (directory == nullptr || directory->empty() || *directory == kMissingDirectoryText) {
    list_.SetFurtherText(id, kSizeText, kUnknownSizeText);
    return true;
  }
  const std::string path = *directory;  // the scan pumps; the row may go meanwhile
  ClosingAwarePump pump(pump_, closing_);
  const std::uint64_t count = DirectorySize(path, listing_, pump);
  if (closing_) return false;
  list_.SetFurtherText(id, kSizeText, SizeText(count));
  list_.SetSizeBytes(id, count);
  return true;
}

}  // namespace zobl
