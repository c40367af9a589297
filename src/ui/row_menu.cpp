#include "ui/row_menu.h"

namespace zobl {

std::optional<std::string> FolderToOpen(const UninstallEntry& row, FileSystem& fileSystem) {
  // An empty path would name the current directory: no folder of the row's.
  if (!row.directory || row.directory->empty() || !fileSystem.IsExistingDirectory(row.directory->c_str())) {
    return std::nullopt;
  }
  return row.directory;
}

std::vector<RowMenuItem> RowMenuItems(const UninstallEntry& row, FileSystem& fileSystem) {
  const bool folder = FolderToOpen(row, fileSystem).has_value();
  return {
      {RowMenuCommand::Uninstall, "&Uninstall...", true, false},
      {RowMenuCommand::RemoveLine, "&Remove Line...", true, false},
      {RowMenuCommand::Copy, "&Copy\tCtrl+C", true, true},
      {RowMenuCommand::CopyRegistryPath, "Copy Registry &Path", true, false},
      {RowMenuCommand::OpenFolder, "&Open Folder", folder, false},
      {RowMenuCommand::Tidy, "&Tidy Several Programs...\tCtrl+U", true, true},
  };
}

}  // namespace zobl
