#include "ui/run_presenter.h"

namespace zobl {
namespace {

constexpr std::uint32_t kPieRefreshAfterMilliseconds = 1000;

}  // namespace

void RunPresenter::RunBegun(std::size_t rows) {
  display_.BeginProgress(rows);
  display_.ShowPieTab();
  lastCheck_ = ticks_.Milliseconds();
  first_ = true;
}

void RunPresenter::RowMeasured() {
  if (display_.PieTabShown()) {
    const std::uint32_t now = ticks_.Milliseconds();
    const std::uint32_t elapsed = now - lastCheck_;  // right across the counter's wrap
    lastCheck_ = now;
    if (elapsed > kPieRefreshAfterMilliseconds || first_) display_.RefreshPie();
  }
  first_ = false;
  display_.StepProgress();
}

void RunPresenter::RowsDone() {
  if (display_.PieTabShown()) display_.RefreshPie();
}

}  // namespace zobl
