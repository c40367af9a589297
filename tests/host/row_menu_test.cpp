#include "ui/row_menu.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "fake_file_system.h"

namespace zobl::testing {
namespace {

// The items in order with their access keys, over the states of a row's directory: "-" is
// the separator, "*" a greyed item. The list commands speak for themselves on any row.
TEST(RowMenuTest, ItemsInOrderAndOpenFolderOnlyForADirectoryThatIsThere) {
  FakeFileSystem files;
  files.AddDirectory("C:\\Acme");
  files.AddFile("C:\\Acme\\un.exe");
  const char* kAll = "&Uninstall...|&Remove Line...|-|&Copy\tCtrl+C|Copy Registry &Path|&Open Folder|-|&Tidy Several Programs...\tCtrl+U";
  const char* kGrey = "&Uninstall...|&Remove Line...|-|&Copy\tCtrl+C|Copy Registry &Path|*&Open Folder|-|&Tidy Several Programs...\tCtrl+U";
  const struct {
    std::optional<std::string> directory;
    const char* items;
  } rows[] = {{"C:\\Acme", kAll},           {"c:\\ACME", kAll},      {"C:\\Gone", kGrey},
              {"C:\\Acme\\un.exe", kGrey}, {std::nullopt, kGrey}, {"", kGrey}};
  for (const auto& r : rows) {
    std::string shown;
    for (const RowMenuItem& item : RowMenuItems(UninstallEntry{.directory = r.directory}, files)) {
      shown += std::string(shown.empty() ? "" : "|") + (item.separatorBefore ? "-|" : "") + (item.enabled ? "" : "*");
      shown += item.text;
    }
    EXPECT_EQ(shown, r.items) << r.directory.value_or("(none)");
    // Chosen, the item opens the directory only while it is one.
    EXPECT_EQ(FolderToOpen(UninstallEntry{.directory = r.directory}, files),
              r.items == kAll ? r.directory : std::nullopt);
  }
}

}  // namespace
}  // namespace zobl::testing
