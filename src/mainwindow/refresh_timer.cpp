#include "mainwindow/refresh_timer.h"

#include <map>

namespace zobl {
namespace {

// A thread timer's callback gets no context of its own but the timer's identifier: the
// running timers of this thread, by identifier.
thread_local std::map<UINT_PTR, RefreshTimer*> t_running;

}  // namespace

UINT_PTR RefreshTimer::Start(UINT periodMilliseconds, std::function<void()> onTick) {
  Stop();
  onTick_ = std::move(onTick);
  id_ = SetTimer(nullptr, 0, periodMilliseconds, &RefreshTimer::OnTimer);
  if (id_ != 0) t_running[id_] = this;
  return id_;
}

void RefreshTimer::Stop() {
  if (id_ == 0) return;
  KillTimer(nullptr, id_);
  t_running.erase(id_);
  id_ = 0;
}

void CALLBACK RefreshTimer::OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
  const auto running = t_running.find(id);
  if (running != t_running.end() && running->second->onTick_) running->second->onTick_();
}

}  // namespace zobl
