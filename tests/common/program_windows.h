#pragma once

// Finding the windows of a program that runs as a process of its own, as a user's tool
// would: by process, class and visibility.

#include <windows.h>

namespace zobl::testing {

// The visible top-level window of `className` that `processId` made; null while none is.
inline HWND VisibleWindowOf(DWORD processId, const char* className) {
  struct Search {
    DWORD processId;
    const char* className;
    HWND found;
  } search{processId, className, nullptr};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        char name[64] = {};
        GetClassNameA(window, name, sizeof name);
        if (owner != s->processId || lstrcmpiA(name, s->className) != 0 || !IsWindowVisible(window)) return TRUE;
        s->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The first window of `className` among the children of `parent`, such as its list view.
inline HWND FirstChildOfClass(HWND parent, const char* className) {
  struct Search {
    const char* className;
    HWND found;
  } search{className, nullptr};
  EnumChildWindows(
      parent,
      [](HWND child, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        char name[64] = {};
        GetClassNameA(child, name, sizeof name);
        if (lstrcmpiA(name, s->className) != 0) return TRUE;
        s->found = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace zobl::testing
