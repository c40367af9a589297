#include "bare_list_paint_win.h"

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstring>

#include "mainwindow/inventory_list_view.h"
#include "mainwindow/pictures.h"
#include "platform/dpi.h"
#include "platform/win32/scoped_handles.h"

namespace zobl::bench {
namespace {

const std::vector<ShownRow>* shownRows = nullptr;

LRESULT CALLBACK AnswerCells(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == LVN_GETDISPINFOA) {
    LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(lParam)->item;
    const ShownRow& row = (*shownRows)[static_cast<std::size_t>(item.iItem)];
    if ((item.mask & LVIF_TEXT) != 0) {
      const std::string& text = row.texts[static_cast<std::size_t>(item.iSubItem)];
      const std::size_t length = std::min(text.size(), static_cast<std::size_t>(item.cchTextMax - 1));
      std::memcpy(item.pszText, text.data(), length);
      item.pszText[length] = '\0';
    }
    if ((item.mask & LVIF_IMAGE) != 0) item.iImage = row.image;
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK DoNothing(int code, WPARAM wParam, LPARAM lParam) {
  return code < 0 ? CallNextHookEx(nullptr, code, wParam, lParam) : 0;
}

double MedianRepaint(HWND list) {
  std::vector<double> times;
  for (int i = 0; i < 9; ++i) {
    const auto start = std::chrono::steady_clock::now();
    InvalidateRect(list, nullptr, TRUE);
    UpdateWindow(list);
    times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

double BareListPaintCost(const RECT& place, HFONT font, int dpi, const std::vector<ShownRow>& rows) {
  shownRows = &rows;
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = AnswerCells;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  windowClass.lpszClassName = "ZoblBareListParent";
  RegisterClassA(&windowClass);
  const int width = place.right - place.left;
  const int height = place.bottom - place.top;
  const HWND parent = CreateWindowExA(0, windowClass.lpszClassName, "", WS_POPUP | WS_VISIBLE, place.left, place.top,
                                      width, height, nullptr, nullptr, instance, nullptr);
  const HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                                    WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL |
                                        LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS,
                                    0, 0, width, height, parent, nullptr, instance, nullptr);
  SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP | LVS_EX_INFOTIP);
  const win32::ScopedImageList images = CreateRowImages(ScaleToDpi(16, dpi));
  ListView_SetImageList(list, images.Get(), LVSIL_SMALL);
  InsertListColumns(list, dpi);
  const win32::ScopedHook hook(SetWindowsHookExA(WH_CALLWNDPROCRET, DoNothing, nullptr, GetCurrentThreadId()));
  MedianRepaint(list);  // warm
  const double none = MedianRepaint(list);
  ListView_SetItemCountEx(list, static_cast<int>(rows.size()), 0);
  const double all = MedianRepaint(list);
  DestroyWindow(parent);
  shownRows = nullptr;
  return all - none;
}

}  // namespace zobl::bench
