#pragma once

#include <windows.h>

#include <functional>

namespace zobl {

// A periodic thread timer tied to no window: its ticks arrive through whichever message
// loop runs on this thread (the main loop, a modal box's, a scan's pump).
class RefreshTimer {
 public:
  RefreshTimer() = default;
  ~RefreshTimer() { Stop(); }
  RefreshTimer(const RefreshTimer&) = delete;
  RefreshTimer& operator=(const RefreshTimer&) = delete;

  // Returns the timer's identifier, or 0 when no timer could be made.
  UINT_PTR Start(UINT periodMilliseconds, std::function<void()> onTick);
  void Stop();
  [[nodiscard]] UINT_PTR Id() const { return id_; }

 private:
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);

  UINT_PTR id_ = 0;
  std::function<void()> onTick_;
};

}  // namespace zobl
