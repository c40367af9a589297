#include "commandline/inventory_export.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "directory_size_cases.h"
#include "fake_directory_tree.h"
#include "fake_file_system.h"
#include "fake_registry.h"
#include "inventory/uninstall_key.h"
#include "platform/portable_locale.h"

namespace zobl::testing {
namespace {

// An export is whole or none: a source whose key is there but cannot be read fails it;
// a source without the key is an empty one. The rows of the sources that were read
// would be a list that looks complete and is not. Every descriptor is read whole, whatever
// the length of its name or values; one that cannot be read is named, never passed over.
TEST(InventoryExport, UnreadableSourceFailsAndEveryDescriptorIsListedOrNamed) {
  const std::string acme = std::string(kUninstallKeyPath) + "\\Acme";
  const std::string longName(300, 'L');
  const std::string longValue(5000, 'V');
  const std::string acmeLine = "\r\n\"'=Acme\",\"Acme\",";
  const struct {
    const char* what;
    std::function<void(FakeRegistry&)> arrange;
    bool exported;
    std::string holds;  // what the CSV holds
    const char* unreadable;  // the key name of the one descriptor that could not be read
  } cases[] = {
      {"no Uninstall key but the 64-bit view's", [](FakeRegistry&) {}, true, acmeLine, nullptr},
      {"the 32-bit view's too", [&](FakeRegistry& r) { r.CreateKey(acme, RegistrySource::Machine32); }, true,
       acmeLine, nullptr},
      {"the user's key refused",
       [&](FakeRegistry& r) {
         r.CreateKey(kUninstallKeyPath, RegistrySource::User);
         r.refusedKeys.push_back(kUninstallKeyPath);
       },
       false, "", nullptr},
      {"a key that cannot be enumerated", [&](FakeRegistry& r) { r.failSubkeyEnumeration = true; }, false, "", nullptr},
      {"a name longer than any buffer",
       [&](FakeRegistry& r) {
         r.CreateKey(std::string(kUninstallKeyPath) + "\\" + longName);
         r.SetText(std::string(kUninstallKeyPath) + "\\" + longName, "DisplayName", "Long");
       },
       true, "\r\n\"Long\",\"" + longName + "\",", nullptr},
      {"a value longer than any buffer", [&](FakeRegistry& r) { r.SetText(acme, "Publisher", longValue); }, true,
       ",\"" + longValue + "\",", nullptr},
      {"a descriptor deleted while it is read: gone, not unreadable",
       [&](FakeRegistry& r) { r.onEnumerateValue = [&r, &acme] { r.DeleteTree(acme); }; }, true, "Name,", nullptr},
      {"a descriptor that refuses reading",
       [&](FakeRegistry& r) {
         r.CreateKey(std::string(kUninstallKeyPath) + "\\Locked");
         r.RefuseReading(std::string(kUninstallKeyPath) + "\\Locked");
       },
       true, acmeLine, "Locked"},
  };
  for (const auto& c : cases) {
    FakeRegistry registry;
    registry.CreateKey(acme);
    registry.SetText(acme, "DisplayName", "=Acme");
    c.arrange(registry);
    FakeFileSystem files;
    PortableLocale locale;
    FakeDirectoryTree listing;
    CountingPump pump;
    ExportSystem system{registry, files, locale, listing, pump};
    ComputeSizesObserver unseen;
    const auto exported = ExportedInventory(system, {}, unseen);
    ASSERT_EQ(exported.has_value(), c.exported) << c.what;
    if (!exported) continue;
    EXPECT_TRUE(exported->text.starts_with("\xEF\xBB\xBFName,")) << c.what;
    EXPECT_NE(exported->text.find(c.holds), std::string::npos) << c.what << ": " << exported->text;
    ASSERT_EQ(exported->unreadable.size(), c.unreadable != nullptr ? 1u : 0u) << c.what;
    if (c.unreadable != nullptr) {
      EXPECT_EQ(exported->unreadable[0].keyName, c.unreadable);
      EXPECT_EQ(exported->unreadable[0].reason, "Access is denied.");
    }
  }
}

// The window (through its buffers) and the exports read a value of each type alike.
TEST(InventoryExport, WindowAndExportReadEveryTypeAlike) {
  using namespace std::string_literals;
  const struct {
    std::uint32_t type;
    std::string bytes;  // as the 8-bit calls see them
    std::optional<std::string> name;
  } cases[] = {
      {kTextType, "Acme\0"s, "Acme"},       {kExpandableTextType, "%A%\0"s, "%A%"},  // as stored
      {kMultiTextType, "A\0B\0\0"s, "A"},    {kDwordType, "ABC\0"s, "4407873"},
      {kQwordType, "\x01\0\0\0\0\0\0\x01"s, "72057594037927937"},
      {kDwordType, "AB"s, std::nullopt},  // no number of its type's size
      {kBinaryType, "AB\0"s, std::nullopt}, {0, "A\0"s, std::nullopt},
  };
  for (const auto& c : cases) {
    for (const RegistryReading reading : {RegistryReading::Bounded, RegistryReading::Complete}) {
      FakeRegistry registry;
      registry.CreateKey(std::string(kUninstallKeyPath) + "\\T");
      registry.SetTypedValue(std::string(kUninstallKeyPath) + "\\T", "DisplayName", c.type, c.bytes);
      FakeFileSystem files;
      const PortableLocale locale;
      InventoryList list(locale);
      InventoryRefresher refresher(registry, files, locale, list, reading);
      refresher.ShowNamelessRows(true);
      ASSERT_TRUE(refresher.RefreshInventory() && list.Count() == 1);
      EXPECT_EQ(list.RowAt(0).name, c.name) << c.bytes;
    }
  }
}

}  // namespace
}  // namespace zobl::testing
