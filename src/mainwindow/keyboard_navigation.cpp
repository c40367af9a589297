#include "mainwindow/keyboard_navigation.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

namespace zobl {
namespace {

bool KeyDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }

bool TakesFocusByTab(HWND control) {
  return IsWindowVisible(control) && IsWindowEnabled(control) &&
         (GetWindowLongPtrA(control, GWL_STYLE) & WS_TABSTOP) != 0;
}

bool IsPushButton(HWND control) {
  return (SendMessageA(control, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

// The tool bar's keys: arrows move its hot button, Space and Enter press it.
bool ToolBarKey(HWND toolBar, WPARAM key) {
  const int count = static_cast<int>(SendMessageA(toolBar, TB_BUTTONCOUNT, 0, 0));
  if (count == 0) return false;
  const int hot = static_cast<int>(SendMessageA(toolBar, TB_GETHOTITEM, 0, 0));
  switch (key) {
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: {
      const int step = key == VK_LEFT || key == VK_UP ? count - 1 : 1;
      SendMessageA(toolBar, TB_SETHOTITEM, static_cast<WPARAM>(hot < 0 ? 0 : (hot + step) % count), 0);
      return true;
    }
    case VK_SPACE:
    case VK_RETURN: {
      TBBUTTON button{};
      if (hot < 0 || !SendMessageA(toolBar, TB_GETBUTTON, static_cast<WPARAM>(hot), reinterpret_cast<LPARAM>(&button)))
        return true;
      if (button.fsState & TBSTATE_ENABLED) {
        SendMessageA(GetParent(toolBar), WM_COMMAND, MAKEWPARAM(button.idCommand, BN_CLICKED),
                     reinterpret_cast<LPARAM>(toolBar));
      }
      return true;
    }
    default: return false;
  }
}

}  // namespace

KeyboardNavigation::KeyboardNavigation(HWND window,
                                       HWND pageControl,
                                       HWND toolBar,
                                       std::function<void(int step)> switchTab)
    : window_(window), pageControl_(pageControl), toolBar_(toolBar), switchTab_(std::move(switchTab)) {}

bool KeyboardNavigation::PreTranslate(const MSG& message) const {
  if (message.message != WM_KEYDOWN || (message.hwnd != window_ && !IsChild(window_, message.hwnd))) return false;
  if (KeyDown(VK_MENU)) return false;
  const bool control = KeyDown(VK_CONTROL);
  const bool shift = KeyDown(VK_SHIFT);
  const WPARAM key = message.wParam;
  if (control && (key == VK_TAB || key == VK_NEXT || key == VK_PRIOR)) {
    SwitchTab(key == VK_PRIOR || (key == VK_TAB && shift) ? -1 : 1);
    return true;
  }
  if (control) return false;
  if (key == VK_TAB) {
    MoveFocus(shift);
    return true;
  }
  const HWND focus = GetFocus();
  if (focus == toolBar_) return ToolBarKey(toolBar_, key);
  if (key == VK_RETURN && focus != nullptr && IsChild(window_, focus) && IsPushButton(focus)) {
    SendMessageA(focus, BM_CLICK, 0, 0);
    return true;
  }
  return false;
}

// The window's own controls in the order they were made, which is the design's tab
// order; the page control stands for its tabs, followed by the controls of the page shown.
std::vector<HWND> KeyboardNavigation::TabStops() const {
  std::vector<HWND> stops;
  const auto addChildren = [&stops](HWND parent) {
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
      if (TakesFocusByTab(child)) stops.push_back(child);
    }
  };
  for (HWND child = GetWindow(window_, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!TakesFocusByTab(child)) continue;
    stops.push_back(child);
    if (child != pageControl_) continue;
    for (HWND page = GetWindow(pageControl_, GW_CHILD); page != nullptr; page = GetWindow(page, GW_HWNDNEXT)) {
      if (IsWindowVisible(page)) addChildren(page);
    }
  }
  return stops;
}

void KeyboardNavigation::MoveFocus(bool backwards) const {
  const std::vector<HWND> stops = TabStops();
  if (stops.empty()) return;
  // The focus may be inside a stop (a drop-down's list), or nowhere the order knows.
  HWND focus = GetFocus();
  auto current = stops.end();
  for (; focus != nullptr && focus != window_ && current == stops.end(); focus = GetParent(focus)) {
    current = std::find(stops.begin(), stops.end(), focus);
  }
  const std::size_t count = stops.size();
  std::size_t next = 0;
  if (current != stops.end()) {
    const auto index = static_cast<std::size_t>(current - stops.begin());
    next = backwards ? (index + count - 1) % count : (index + 1) % count;
  } else if (backwards) {
    next = count - 1;
  }
  // The tool bar shows where its keys act by its hot button; elsewhere it shows none.
  if (stops[next] == toolBar_ && SendMessageA(toolBar_, TB_GETHOTITEM, 0, 0) < 0) {
    SendMessageA(toolBar_, TB_SETHOTITEM, 0, 0);
  } else if (current != stops.end() && *current == toolBar_) {
    SendMessageA(toolBar_, TB_SETHOTITEM, static_cast<WPARAM>(-1), 0);
  }
  // Moving by keys shows the focus frames that a mouse user is spared.
  SendMessageA(window_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  SetFocus(stops[next]);
}

void KeyboardNavigation::SwitchTab(int step) const {
  switchTab_(step);
  // A control of the page just hidden would keep the keys out of sight.
  const HWND focus = GetFocus();
  if (focus == nullptr || !IsWindowVisible(focus)) SetFocus(pageControl_);
}

}  // namespace zobl
