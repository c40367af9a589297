#include "platform/win32/window_scale.h"

#include <algorithm>

namespace zobl::win32 {

WindowScale::Follower::Follower(const WindowScale& scale) : scale_(scale) { scale_.followers_.push_back(this); }

WindowScale::Follower::~Follower() { std::erase(scale_.followers_, this); }

void WindowScale::Set(int dpi) {
  const int previous = dpi_;
  dpi_ = dpi;
  if (previous == dpi) return;
  for (Follower* follower : followers_) follower->DpiChanged(previous);
}

bool WindowScale::FollowScreen(HWND window, int dpi, const RECT& suggested) {
  if (!IsScreenDpi(dpi)) return false;
  Set(dpi);
  const int width = suggested.right - suggested.left;
  const int height = suggested.bottom - suggested.top;
  if (MonitorFromRect(&suggested, MONITOR_DEFAULTTONULL) != nullptr && width >= GetSystemMetrics(SM_CXMINTRACK) &&
      height >= GetSystemMetrics(SM_CYMINTRACK)) {
    SetWindowPos(window, nullptr, suggested.left, suggested.top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return true;
}

}  // namespace zobl::win32
