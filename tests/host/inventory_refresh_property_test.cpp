#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "fake_file_system.h"
#include "fake_registry.h"
#include "inventory/inventory_refresh.h"
#include "inventory/column_text.h"
#include "inventory/uninstall_key.h"
#include "ui/list_sorting.h"
#include "platform/portable_locale.h"

namespace zobl::testing {
namespace {

std::string Upper(std::string text) {
  for (char& c : text) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
  return text;
}

// Random registry changes, user actions and refreshes; after every refresh the list
// must match the registry as the refresh sees it.
class RefreshProperty {
 public:
  explicit RefreshProperty(unsigned seed) : random_(seed) { registry_.CreateKey(kUninstallKeyPath); }

  void Step() {
    switch (Pick(12)) {
      case 0:
      case 1:
      case 2: CreateDescriptor(); break;
      case 3:
        if (auto key = SomeKey()) registry_.DeleteTree(Path(*key));
        break;
      case 4:
        if (auto key = SomeKey()) SetDisplayName(*key);
        break;
      case 5:
        if (auto key = SomeKey()) registry_.DeleteValue(Path(*key), "DisplayName");
        break;
      case 6:
        if (auto key = SomeKey()) {  // the same key under another spelling
          registry_.DeleteTree(Path(*key));
          registry_.CreateKey(Path(Pick(2) == 0 ? Upper(*key) : *key));
          SetDisplayName(Upper(*key));
        }
        break;
      case 7:
        namelessShown_ = !namelessShown_;
        refresher_.ShowNamelessRows(namelessShown_);
        Refresh();
        break;
      case 8: sorting_.SortByColumnClicked(static_cast<int>(Pick(kColumnCount))); break;
      case 9:
        if (list_.Count() > 0) list_.Select(list_.RowAt(Pick(list_.Count())).id);
        break;
      case 10:
        if (list_.Count() > 0) list_.SetSizeBytes(list_.RowAt(Pick(list_.Count())).id, Pick(1000) + 1);
        break;
      default: Refresh();
    }
  }

 private:
  std::size_t Pick(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_); }
  static std::string Path(const std::string& key) { return std::string(kUninstallKeyPath) + "\\" + key; }

  std::optional<std::string> SomeKey() {
    const std::vector<std::string> keys = registry_.SubkeyNames(kUninstallKeyPath);
    if (keys.empty()) return std::nullopt;
    return keys[Pick(keys.size())];
  }

  void CreateDescriptor() {
    std::string key;
    switch (Pick(10)) {
      case 0:  // too long to enumerate, or just short enough
        key = std::string(203 + Pick(2), "abAB"[Pick(4)]);
        break;
      default:  // alike in length and first character, as product codes are
        key = "{";
        for (int i = 0; i < 3; ++i) key += "0aA"[Pick(3)];
        key += "}";
    }
    registry_.CreateKey(Path(key));
    if (Pick(4) != 0) SetDisplayName(key);
    if (Pick(2) != 0) registry_.SetText(Path(key), "UninstallString", "RunDll32 x.dll," + key);
  }

  void SetDisplayName(const std::string& key) {
    switch (Pick(6)) {
      case 0: registry_.SetText(Path(key), "DisplayName", std::string(1023 + Pick(2), 'n')); break;
      case 1: registry_.SetText(Path(key), "DisplayName", ""); break;
      default: registry_.SetText(Path(key), "DisplayName", "Program " + std::to_string(Pick(50)));
    }
  }

  bool DisplayNameReadable(const std::string& key) {
    RegistryValueBuffer buffer;
    Registry& registry = registry_;
    return registry.ReadKeyValue(RegistrySource::Machine64, Path(key).c_str(), "DisplayName", buffer);
  }

  struct Snapshot {
    std::vector<RowId> order;
    std::map<RowId, std::pair<std::optional<std::string>, std::string>> fields;  // Name, KeyName
    RowId selected = kNoRow;
  };
  Snapshot Take() const {
    Snapshot snapshot;
    for (std::size_t i = 0; i < list_.Count(); ++i) {
      const UninstallEntry& row = list_.RowAt(i);
      snapshot.order.push_back(row.id);
      snapshot.fields[row.id] = {row.name, row.keyName};
      if (row.selected) snapshot.selected = row.id;
    }
    return snapshot;
  }

  void Refresh() {
    const Snapshot before = Take();
    refresher_.RefreshTick();
    const Snapshot after = Take();
    ASSERT_EQ(registry_.OpenKeyCount(), 0u);

    std::set<std::string> listed;
    bool added = false;
    for (std::size_t i = 0; i < list_.Count(); ++i) {
      const UninstallEntry& row = list_.RowAt(i);
      ASSERT_TRUE(listed.insert(Upper(row.keyName)).second) << "two rows for " << row.keyName;
      ASSERT_TRUE(registry_.KeyExists(Path(row.keyName))) << "stale row " << row.keyName;
      if (!namelessShown_) {
        ASSERT_TRUE(row.name.has_value());
      }
      const auto old = before.fields.find(row.id);
      if (old == before.fields.end()) {
        added = true;
      } else {
        ASSERT_EQ(old->second, std::make_pair(row.name, row.keyName)) << "a row that stays keeps its name and key";
      }
    }
    // Every row whose key still opens (and is not a hidden nameless one) stays.
    for (const auto& [id, fields] : before.fields) {
      const auto& [name, keyName] = fields;
      const bool keeps = registry_.KeyExists(Path(keyName)) && (namelessShown_ || name.has_value());
      ASSERT_EQ(list_.Find(id) != nullptr, keeps) << keyName;
    }
    // Every subkey the walk reaches is listed, if it can be.
    for (const std::string& key : registry_.SubkeyNames(kUninstallKeyPath)) {
      if (key.size() >= kSubkeyNameCapacity) break;
      if (namelessShown_ || DisplayNameReadable(key)) {
        ASSERT_TRUE(listed.contains(Upper(key))) << "missing row for " << key;
      }
    }
    if (added) {
      for (std::size_t i = 1; i < list_.Count(); ++i) {
        ASSERT_LE(locale_.CompareText(SortText(list_.RowAt(i - 1), kNameColumn).c_str(),
                                      SortText(list_.RowAt(i), kNameColumn).c_str()),
                  0);
      }
    } else {
      std::vector<RowId> kept;
      for (const RowId id : before.order) {
        if (list_.Find(id) != nullptr) kept.push_back(id);
      }
      ASSERT_EQ(after.order, kept) << "a refresh that adds nothing keeps the order";
    }
    if (before.selected != kNoRow && list_.Find(before.selected) != nullptr) {
      ASSERT_EQ(after.selected, before.selected);
    }
  }

  std::mt19937 random_;
  FakeRegistry registry_;
  FakeFileSystem files_;
  PortableLocale locale_;
  InventoryList list_{locale_};
  bool namelessShown_ = false;
  InventoryRefresher refresher_{registry_, files_, locale_, list_};
  ListSorting sorting_{list_, locale_};
};

TEST(RefreshProperty, ListFollowsRandomRegistryChanges) {
  for (unsigned seed = 1; seed <= 40; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    RefreshProperty property(seed);
    for (int step = 0; step < 300; ++step) {
      property.Step();
      if (::testing::Test::HasFatalFailure()) return;
    }
  }
}

}  // namespace
}  // namespace zobl::testing
