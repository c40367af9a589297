#include "mainwindow/row_menu.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "fake_file_system.h"

namespace zobl::testing {
namespace {

// The items in order, with their access keys, and which of them can be chosen, over the
// states of a row; "-" stands for the separator, "*" marks a greyed item.
TEST(RowMenuTest, ItemsInOrderAndOpenFolderOnlyForADirectoryThatIsThere) {
  FakeFileSystem files;
  files.AddDirectory("C:\\Acme");
  files.AddFile("C:\\Acme\\un.exe");
  const char* kAll = "&Uninstall...|&Remove Line...|-|&Copy\tCtrl+C|Copy Registry &Path|&Open Folder";
  const char* kNoFolder = "&Uninstall...|&Remove Line...|-|&Copy\tCtrl+C|Copy Registry &Path|*&Open Folder";
  const struct {
    const char* state;
    std::optional<std::string> directory;
    std::optional<std::string> command;
    const char* items;
  } rows[] = {
      {"directory there", "C:\\Acme", "C:\\Acme\\un.exe", kAll},
      {"directory spelt otherwise", "c:\\ACME", "C:\\Acme\\un.exe", kAll},
      {"no command: Uninstall says so itself", "C:\\Acme", std::nullopt, kAll},
      {"directory gone since the refresh", "C:\\Gone", "C:\\Gone\\un.exe", kNoFolder},
      {"a file, no directory", "C:\\Acme\\un.exe", "C:\\Acme\\un.exe", kNoFolder},
      {"no directory", std::nullopt, "C:\\Acme\\un.exe", kNoFolder},
      {"an empty directory text", "", "C:\\Acme\\un.exe", kNoFolder},
  };
  for (const auto& r : rows) {
    const UninstallEntry row{.Name = "Acme", .KeyName = "Acme", .Command = r.command, .Directory = r.directory};
    std::string shown;
    for (const RowMenuItem& item : RowMenuItems(row, files)) {
      if (!shown.empty()) shown += "|";
      if (item.separatorBefore) shown += "-|";
      shown += std::string(item.enabled ? "" : "*") + item.text;
    }
    EXPECT_EQ(shown, r.items) << r.state;
  }
}

}  // namespace
}  // namespace zobl::testing
