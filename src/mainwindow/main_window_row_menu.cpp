// A row's menu and what its items do; Ctrl+C as its Copy.
#include <windows.h>
#include <windowsx.h>

#include <optional>
#include <stdexcept>
#include <string>

#include "inventory/row_copy_text.h"
#include "inventory/shown_rows.h"
#include "inventory/uninstall_key.h"
#include "mainwindow/main_window_parts.h"
#include "mainwindow/row_context_menu.h"
#include "platform/shell.h"
#include "ui/list_commands.h"

namespace zobl {

void MainWindow::CopySelectedRow() {
  const std::optional<std::size_t> selected = features_.shownRows.SelectedIndex();
  if (!selected) return;
  if (!services_.clipboard.PutText(RowCopyText(features_.shownRows.RowAt(*selected)))) {
    throw std::runtime_error("The line could not be copied to the clipboard");
  }
}

// The right button selects the row under the pointer and opens the menu there; Shift+F10
// and the Menu key (the position -1,-1) open it at the selected row. No row, no menu.
bool MainWindow::OnContextMenu(HWND source, LPARAM position) {
  InventoryListView& view = shown_->listView;
  if (source != view.Handle() || activePage_ != WindowPage::List) return false;
  const bool fromKeyboard = GET_X_LPARAM(position) == -1 && GET_Y_LPARAM(position) == -1;
  POINT at{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
  const std::optional<std::size_t> index = fromKeyboard ? features_.shownRows.SelectedIndex() : view.RowAtPoint(at);
  if (!index) return true;
  view.SelectRow(*index);
  if (fromKeyboard) at = view.MenuPoint(*index);
  const UninstallEntry& row = features_.shownRows.RowAt(*index);
  const RowId id = row.id;
  const std::optional<RowMenuCommand> chosen = TrackRowMenu(window_, at, RowMenuItems(row, services_.fileSystem));
  // The menu's loop runs refreshes: the row may have left the list, or the window closed.
  if (chosen && shown_ && features_.list.Find(id) != nullptr) RunRowCommand(*chosen, id);
  return true;
}

void MainWindow::RunRowCommand(RowMenuCommand command, RowId id) {
  // The list commands act on the selected row, which the menu's row is again.
  const std::optional<std::size_t> index = features_.shownRows.IndexOf(id);
  if (!index) return;
  shown_->listView.SelectRow(*index);
  const UninstallEntry& row = *features_.list.Find(id);
  switch (command) {
    case RowMenuCommand::Uninstall: features_.listCommands.UninstallSelectedRow(); break;
    case RowMenuCommand::RemoveLine: features_.listCommands.RemoveSelectedRow(); break;
    case RowMenuCommand::Copy: CopySelectedRow(); break;
    case RowMenuCommand::Tidy: OpenTidyWindow(); break;
    case RowMenuCommand::CopyRegistryPath:
      if (!services_.clipboard.PutText(DescriptorLocation(row.source, row.keyName))) {
        throw std::runtime_error("The registry path could not be copied to the clipboard");
      }
      break;
    case RowMenuCommand::OpenFolder: {
      // Greyed when there was none; it may have gone, or become something else, while the
      // menu was open.
      const std::optional<std::string> folder = FolderToOpen(row, services_.fileSystem);
      if (!folder || !services_.shell.OpenFolder(*folder)) {
        throw std::runtime_error("The folder \"" + row.directory.value_or("") + "\" could not be opened");
      }
      break;
    }
  }
}

}  // namespace zobl
