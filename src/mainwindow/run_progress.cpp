#include "mainwindow/run_progress.h"

namespace zobl {
namespace {

constexpr UINT kPeriodMilliseconds = 50;

}  // namespace

// The bar stands exactly where the design puts the button, which it replaces while a run goes.
void RunProgress::Begin(std::size_t rows) {
  bar_.Restart(rows);
  done_ = 0;
  timer_ = win32::ScopedWindowTimer(window_, kTimer, kPeriodMilliseconds);
  ShowWindow(button_, SW_HIDE);
  ShowWindow(barWindow_, SW_SHOW);
}

// The bar stops at its maximum; rows added during the run take it no further.
void RunProgress::Show() const {
  if (bar_.Position() != done_) bar_.SetSilently(done_);
}

void RunProgress::End() {
  timer_.Reset();
  // The last rows are done since the timer last showed the count: the run ends on a full bar.
  Show();
  UpdateWindow(barWindow_);
  ShowWindow(barWindow_, SW_HIDE);
  ShowWindow(button_, SW_SHOW);
  // Hiding the clicked button left the keyboard with the window itself; give it back.
  if (GetFocus() == window_) SetFocus(button_);
}

}  // namespace zobl
