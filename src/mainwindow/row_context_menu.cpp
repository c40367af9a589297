#include "mainwindow/row_context_menu.h"

#include <stdexcept>

#include "platform/win32/scoped_handles.h"

namespace zobl {

std::optional<RowMenuCommand> TrackRowMenu(HWND owner, POINT screen, std::span<const RowMenuItem> items) {
  const win32::ScopedMenu menu(CreatePopupMenu());
  if (!menu.IsValid()) throw std::runtime_error("The line's menu could not be made");
  for (const RowMenuItem& item : items) {
    if (item.separatorBefore) AppendMenuA(menu.Get(), MF_SEPARATOR, 0, nullptr);
    const UINT state = item.enabled ? MF_ENABLED : MF_GRAYED;
    if (!AppendMenuA(menu.Get(), MF_STRING | state, static_cast<UINT_PTR>(item.command), item.text)) {
      throw std::runtime_error("The line's menu could not be made");
    }
  }
  // Right-to-left layouts open menus leftwards from the point, as the system's own do.
  const UINT align = GetSystemMetrics(SM_MENUDROPALIGNMENT) != 0 ? TPM_RIGHTALIGN : TPM_LEFTALIGN;
  // The choice is returned rather than posted: the window acts on it while the row it was
  // opened for is known.
  const int chosen = static_cast<int>(TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON | align,
                                                     screen.x, screen.y, 0, owner, nullptr));
  if (chosen <= 0) return std::nullopt;
  return static_cast<RowMenuCommand>(chosen);
}

}  // namespace zobl
