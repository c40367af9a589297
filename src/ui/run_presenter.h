#pragma once

#include <cstddef>
#include <cstdint>

#include "diskusage/compute_sizes_run.h"
#include "platform/tick_source.h"

namespace zobl {

// What the window shows of a run of "Compute the Files Size".
class RunDisplay {
 public:
  virtual ~RunDisplay() = default;
  // The progress bar set to 0 of `rows` in steps of 1; the button hidden, then the bar
  // shown in its place.
  virtual void BeginProgress(std::size_t rows) = 0;
  virtual void StepProgress() = 0;
  // The bar, showing every step taken, hidden; then the button shown again.
  virtual void EndProgress() = 0;
  // Makes the Pie tab the active page; its show handler rebuilds the pie if it was not.
  virtual void ShowPieTab() = 0;
  [[nodiscard]] virtual bool PieTabShown() const = 0;
  virtual void RefreshPie() = 0;
};

// The window's reading of a run: the Pie tab comes up as it begins, and while that tab
// shows, the pie is rebuilt after the first row, after any row that alone took more than a
// second (time spent on another tab counting from the last check made on this one), and at
// the end, so that it grows without being rebuilt for every row.
class RunPresenter final : public ComputeSizesObserver {
 public:
  RunPresenter(RunDisplay& display, TickSource& ticks) : display_(display), ticks_(ticks) {}

  void RunBegun(std::size_t rows) override;
  void RowMeasured() override;
  void RowsDone() override;
  void RunEnded() override { display_.EndProgress(); }

 private:
  RunDisplay& display_;
  TickSource& ticks_;
  std::uint32_t lastCheck_ = 0;
  bool first_ = true;
};

}  // namespace zobl
