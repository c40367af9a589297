#pragma once

#include <windows.h>

#include <optional>
#include <span>

#include "ui/row_menu.h"

namespace zobl {

// Shows `items` as the system's popup menu (which screen readers read) at `screen`, a
// point of the screen, for `owner`; returns the command chosen, or nothing when the menu
// was dismissed. The menu's own loop handles the thread's other messages meanwhile.
[[nodiscard]] std::optional<RowMenuCommand> TrackRowMenu(HWND owner, POINT screen, std::span<const RowMenuItem> items);

}  // namespace zobl
