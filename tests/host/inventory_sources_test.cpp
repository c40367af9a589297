#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>

#include "fake_file_system.h"
#include "fake_registry.h"
#include "inventory/column_text.h"
#include "inventory/inventory_refresh.h"
#include "inventory/uninstall_key.h"
#include "platform/portable_locale.h"

namespace zobl::testing {
namespace {

using Row = std::tuple<RegistrySource, std::string, std::string>;  // source, key name, name

class InventorySourcesTest : public ::testing::Test {
 protected:
  InventorySourcesTest() {
    for (const RegistrySource source : kRegistrySources) registry_.CreateKey(kUninstallKeyPath, source);
  }
  static std::string Path(const std::string& key) { return std::string(kUninstallKeyPath) + "\\" + key; }
  void Add(const Row& row) {
    const auto& [source, key, name] = row;
    registry_.CreateKey(Path(key), source);
    registry_.SetText(Path(key), "DisplayName", name, source);
  }
  std::set<Row> Rows() const {
    std::set<Row> rows;
    for (std::size_t i = 0; i < list_.Count(); ++i) {
      const UninstallEntry& row = list_.RowAt(i);
      rows.emplace(row.source, row.keyName, SortText(row, kNameColumn));
    }
    return rows;
  }

  FakeRegistry registry_;
  FakeFileSystem files_;
  PortableLocale locale_;
  InventoryList list_{locale_};
  InventoryRefresher refresher_{registry_, files_, locale_, list_};
};

TEST_F(InventorySourcesTest, EachSourceGivesItsOwnRows) {
  const std::set<Row> rows = {
      {RegistrySource::Machine64, "Acme", "Acme"},
      {RegistrySource::Machine32, "ACME", "Acme (32-bit)"},  // the same key name in another source
      {RegistrySource::Machine32, "Bravo", "Bravo"},
      {RegistrySource::User, "Charlie", "Charlie"},
      {RegistrySource::User, "Acme", "Acme (per user)"},
  };
  for (const Row& row : rows) Add(row);
  refresher_.RefreshInventory();
  EXPECT_EQ(Rows(), rows);
  refresher_.RefreshInventory();
  EXPECT_EQ(Rows(), rows) << "each row is listed once, in its own source";

  // Pruning asks each row's own source: the 32-bit Acme goes, the others stay.
  registry_.DeleteTree(Path("Acme"), RegistrySource::Machine32);
  refresher_.RefreshInventory();
  std::set<Row> left = rows;
  left.erase({RegistrySource::Machine32, "ACME", "Acme (32-bit)"});
  EXPECT_EQ(Rows(), left);
  EXPECT_EQ(registry_.OpenKeyCount(), 0u);
}

TEST_F(InventorySourcesTest, SourceWithoutAnUninstallKeyIsEmpty) {
  registry_.DeleteTree(kUninstallKeyPath, RegistrySource::User);
  Add({RegistrySource::Machine64, "Acme", "Acme"});
  Add({RegistrySource::Machine32, "Bravo", "Bravo"});
  refresher_.RefreshInventory();
  EXPECT_EQ(Rows(), (std::set<Row>{{RegistrySource::Machine64, "Acme", "Acme"},
                                   {RegistrySource::Machine32, "Bravo", "Bravo"}}));
}

TEST(DescriptorLocationTest, FullPathOfEachSource) {
  EXPECT_EQ(DescriptorLocation(RegistrySource::Machine64, "{A}"),
            "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{A}");
  EXPECT_EQ(DescriptorLocation(RegistrySource::Machine32, "{A}"),
            "HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{A}");
  EXPECT_EQ(DescriptorLocation(RegistrySource::User, "{A}"),
            "HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{A}");
}

TEST(RowInfoTipTest, SaysThePublisherTheVersionAndWhenTheDirectoryCameFromInstallLocation) {
  UninstallEntry row;
  row.source = RegistrySource::User;
  row.keyName = "{B}";
  EXPECT_EQ(RowInfoTip(row), "HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{B}");
  row.publisher = "Acme";
  row.displayVersion = "2.0.7";
  row.directoryFromInstallLocation = true;
  EXPECT_EQ(RowInfoTip(row),
            "HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{B}\r\n"
            "Publisher: Acme\r\nVersion: 2.0.7\r\nDirectory from InstallLocation");
}

}  // namespace
}  // namespace zobl::testing
