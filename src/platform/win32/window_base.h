#pragma once

#include <windows.h>

#include "platform/win32/window_class.h"

namespace zobl::win32 {

// The one entry point of the program's window classes: each window is a C++ object,
// `Derived`, given to CreateWindowEx as its creation parameter (a `Derived*`). From
// WM_NCCREATE to WM_NCDESTROY the window keeps the object in its user data, the object
// knows its window, and every message goes to Derived::HandleMessage; messages before
// WM_NCCREATE get the system's default handling.
template <typename Derived>
class WindowBase {
 public:
  [[nodiscard]] HWND Handle() const { return window_; }

 protected:
  WindowBase() = default;
  ~WindowBase() = default;
  WindowBase(const WindowBase&) = delete;
  WindowBase& operator=(const WindowBase&) = delete;

  // Registers the class `name` with this entry point, once per process.
  static void Register(HINSTANCE instance, const char* name, UINT style, HBRUSH background) {
    RegisterWindowClass(instance, name, &WindowBase::WindowProc, style, background);
  }

  HWND window_ = nullptr;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Derived* self = nullptr;
    if (message == WM_NCCREATE) {
      self = static_cast<Derived*>(reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams);
      static_cast<WindowBase*>(self)->window_ = window;
      SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
      self = reinterpret_cast<Derived*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    }
    if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    const LRESULT result = self->HandleMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      static_cast<WindowBase*>(self)->window_ = nullptr;
    }
    return result;
  }
};

}  // namespace zobl::win32
