#include "mainwindow/row_menu.h"

namespace zobl {

std::vector<RowMenuItem> RowMenuItems(const UninstallEntry& row, FileSystem& fileSystem) {
  // An empty path would name the current directory: no folder of the row's.
  const bool folder = row.Directory && !row.Directory->empty() && fileSystem.IsExistingDirectory(row.Directory->c_str());
  return {
      {RowMenuCommand::Uninstall, "&Uninstall...", true, false},
      {RowMenuCommand::RemoveLine, "&Remove Line...", true, false},
      {RowMenuCommand::Copy, "&Copy\tCtrl+C", true, true},
      {RowMenuCommand::CopyRegistryPath, "Copy Registry &Path", true, false},
      {RowMenuCommand::OpenFolder, "&Open Folder", folder, false},
  };
}

}  // namespace zobl
