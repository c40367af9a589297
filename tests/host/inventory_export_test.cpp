#include "commandline/inventory_export.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "directory_size_cases.h"
#include "fake_directory_tree.h"
#include "fake_file_system.h"
#include "fake_registry.h"
#include "inventory/uninstall_key.h"
#include "mainwindow/form_link.h"
#include "platform/portable_locale.h"

namespace zobl::testing {
namespace {

class StillTicks final : public TickSource {
 public:
  std::uint32_t Milliseconds() override { return 0; }
};

// An export is whole or none: a source whose key is there but cannot be read fails it;
// a source without the key is an empty one. The rows of the sources that were read
// would be a list that looks complete and is not.
TEST(InventoryExport, UnreadableSourceFailsAndAbsentOneIsEmpty) {
  const std::string acme = std::string(kUninstallKeyPath) + "\\Acme";
  const struct {
    const char* what;
    std::function<void(FakeRegistry&)> arrange;
    bool exported;
  } cases[] = {
      {"no Uninstall key but the 64-bit view's", [](FakeRegistry&) {}, true},
      {"the 32-bit view's too", [&](FakeRegistry& r) { r.CreateKey(acme, RegistrySource::Machine32); }, true},
      {"the user's key refused",
       [&](FakeRegistry& r) {
         r.CreateKey(acme);
         r.CreateKey(kUninstallKeyPath, RegistrySource::User);
         r.refusedKeys.push_back(kUninstallKeyPath);
       },
       false},
      {"a key that cannot be enumerated",
       [&](FakeRegistry& r) {
         r.CreateKey(acme);
         r.failSubkeyEnumeration = true;
       },
       false},
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
    StillTicks ticks;
    Utf8ProcessCodePage codePage;
    ExportSystem system{registry, files, locale, listing, pump, ticks, codePage};
    FormLink noWindow;
    const auto csv = ExportedInventory(system, {}, noWindow);
    EXPECT_EQ(csv.has_value(), c.exported) << c.what;
    if (csv) {
      EXPECT_TRUE(csv->starts_with("\xEF\xBB\xBFName,") && csv->find("\r\n\"'=Acme\",\"Acme\",") != std::string::npos)
          << c.what << ": " << *csv;
    }
  }
}

}  // namespace
}  // namespace zobl::testing
