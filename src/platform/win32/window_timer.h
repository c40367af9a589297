#pragma once

#include <windows.h>

#include <utility>

namespace zobl::win32 {

// A timer whose WM_TIMER goes to a window, killed when the owner lets it go.
class ScopedWindowTimer {
 public:
  ScopedWindowTimer() = default;
  ScopedWindowTimer(HWND window, UINT_PTR id, UINT periodMilliseconds)
      : window_(window), id_(SetTimer(window, id, periodMilliseconds, nullptr)) {}
  ~ScopedWindowTimer() { Reset(); }
  ScopedWindowTimer(ScopedWindowTimer&& other) noexcept : window_(other.window_), id_(std::exchange(other.id_, 0)) {}
  ScopedWindowTimer& operator=(ScopedWindowTimer&& other) noexcept {
    if (this != &other) {
      Reset();
      window_ = other.window_;
      id_ = std::exchange(other.id_, 0);
    }
    return *this;
  }
  ScopedWindowTimer(const ScopedWindowTimer&) = delete;
  ScopedWindowTimer& operator=(const ScopedWindowTimer&) = delete;

  void Reset() {
    if (id_ != 0) KillTimer(window_, std::exchange(id_, 0));
  }

 private:
  HWND window_ = nullptr;
  UINT_PTR id_ = 0;
};

}  // namespace zobl::win32
