#include "platform/win32/window_dpi.h"

#include "platform/dpi.h"
#include "platform/win32/gdi_handles.h"

namespace zobl::win32 {
namespace {

// Looked up, not imported: neither is there before Windows 10 1607, and user32 is always loaded.
template <typename Function>
Function* User32Function(const char* name) {
  const HMODULE user32 = GetModuleHandleW(L"user32.dll");
  return user32 != nullptr ? reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(GetProcAddress(user32, name)))
                           : nullptr;
}

int ScreenDpi() {
  const ScopedWindowDc screen(nullptr);
  return GetDeviceCaps(screen.Get(), LOGPIXELSY);
}

}  // namespace

int WindowDpi(HWND window) {
  static const auto getDpiForWindow = User32Function<UINT WINAPI(HWND)>("GetDpiForWindow");
  const UINT dpi = getDpiForWindow != nullptr && window != nullptr ? getDpiForWindow(window) : 0;
  return dpi != 0 ? static_cast<int>(dpi) : ScreenDpi();
}

int SystemMetricForDpi(int index, int dpi) {
  static const auto getSystemMetricsForDpi = User32Function<int WINAPI(int, UINT)>("GetSystemMetricsForDpi");
  if (getSystemMetricsForDpi != nullptr) return getSystemMetricsForDpi(index, static_cast<UINT>(dpi));
  return ScaleRounded(GetSystemMetrics(index), dpi, ScreenDpi());
}

}  // namespace zobl::win32
