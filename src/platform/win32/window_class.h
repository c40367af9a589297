#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>

namespace zobl::win32 {

// Registers a window class of this program once; a window made before has registered it.
inline void RegisterWindowClass(HINSTANCE instance,
                                const char* name,
                                WNDPROC procedure,
                                UINT style,
                                HBRUSH background) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  if (GetClassInfoExA(instance, name, &windowClass)) return;
  windowClass.style = style;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = background;
  windowClass.lpszClassName = name;
  if (!RegisterClassExA(&windowClass)) throw std::runtime_error(std::string("Cannot register the class ") + name);
}

}  // namespace zobl::win32
