#include "mainwindow/refresh_timer.h"

namespace zobl {
namespace {

// A thread timer's callback gets no context of its own.
RefreshTimer* g_runningTimer = nullptr;

}  // namespace

UINT_PTR RefreshTimer::Start(UINT periodMilliseconds, std::function<void()> onTick) {
  Stop();
  if (g_runningTimer != nullptr) return 0;
  onTick_ = std::move(onTick);
  id_ = SetTimer(nullptr, 0, periodMilliseconds, &RefreshTimer::OnTimer);
  if (id_ != 0) g_runningTimer = this;
  return id_;
}

void RefreshTimer::Stop() {
  if (id_ == 0) return;
  KillTimer(nullptr, id_);
  id_ = 0;
  g_runningTimer = nullptr;
}

void CALLBACK RefreshTimer::OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
  if (g_runningTimer != nullptr && g_runningTimer->id_ == id && g_runningTimer->onTick_) g_runningTimer->onTick_();
}

}  // namespace zobl
