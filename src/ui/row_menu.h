#pragma once

#include <optional>
#include <string>
#include <vector>

#include "inventory/uninstall_entry.h"
#include "platform/file_system.h"

namespace zobl {

// What a row's context menu offers. The values are the menu items' ids: none is 0, which
// the system reserves for "nothing chosen".
enum class RowMenuCommand : unsigned {
  Uninstall = 1,     // as "Setup / Uninstall Selected Line"
  RemoveLine,        // as "Remove Line But not the files"
  Copy,              // as Ctrl+C
  CopyRegistryPath,  // the descriptor's full registry path, as the row's tip shows it
  OpenFolder,        // the supposed directory, in the shell
  Tidy,              // the tidy window, as Ctrl+U
};

struct RowMenuItem {
  RowMenuCommand command;
  // The access key follows '&'; a tab precedes the shortcut shown at the right.
  const char* text;
  bool enabled;
  bool separatorBefore;
};

// The menu for `row`, in its order. The list commands are always offered, as their buttons
// are: they say themselves when the row has nothing to uninstall. Open Folder is greyed
// when the row has no directory, or it is no longer there.
[[nodiscard]] std::vector<RowMenuItem> RowMenuItems(const UninstallEntry& row, FileSystem& fileSystem);

// The folder Open Folder opens: the row's directory while it is a directory, asked again
// when the item is chosen (the menu may have been open for long); nothing otherwise.
[[nodiscard]] std::optional<std::string> FolderToOpen(const UninstallEntry& row, FileSystem& fileSystem);

}  // namespace zobl
