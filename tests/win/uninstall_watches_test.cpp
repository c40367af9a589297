// The refresh ticks with Wine's real change notifications: a descriptor added, removed
// and added again in any source shows within one tick, and a quiet registry costs none.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "inventory/inventory_refresh.h"
#include "platform/win32/scoped_handles.h"
#include "inventory/uninstall_key.h"
#include "inventory/uninstall_watches.h"
#include "platform/win32/registry_roots.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_locale.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_registry_watch.h"
#include "platform/win32/win32_tick_source.h"

namespace zobl::testing {
namespace {

using win32::Root;
using win32::ViewFlag;

constexpr char kKey[] = "ZoblWatchTest";

void AddDescriptor(RegistrySource source) {
  win32::ScopedKey key;
  const std::string path = std::string(kUninstallKeyPath) + "\\" + kKey;
  ASSERT_EQ(RegCreateKeyExA(Root(source), path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | ViewFlag(source), nullptr,
                            key.Receive(), nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(key.Get(), "DisplayName", 0, REG_SZ, reinterpret_cast<const BYTE*>(kKey), sizeof kKey);
}

void RemoveDescriptor(RegistrySource source) {
  RegDeleteKeyExA(Root(source), (std::string(kUninstallKeyPath) + "\\" + kKey).c_str(), ViewFlag(source), 0);
}

class UninstallWatchesOnWineTest : public ::testing::Test {
 protected:
  void SetUp() override { refresher_.WatchWith(watches_); }
  bool Listed() const {
    for (std::size_t i = 0; i < list_.Count(); ++i) {
      if (list_.RowAt(i).keyName == kKey) return true;
    }
    return false;
  }

  win32::Win32Registry registry_;
  win32::Win32FileSystem files_;
  win32::Win32Locale locale_;
  win32::Win32RegistryWatcher watcher_;
  win32::Win32TickSource ticks_;
  InventoryList list_{locale_};
  UninstallWatches watches_{watcher_, ticks_};
  InventoryRefresher refresher_{registry_, files_, locale_, list_};
};

TEST_F(UninstallWatchesOnWineTest, EachSourceShowsItsChangesWithinOneTick) {
  // The user's Uninstall key, when empty, is taken away: its first program must show too.
  RegDeleteKeyExA(HKEY_CURRENT_USER, kUninstallKeyPath, 0, 0);
  refresher_.RefreshInventory();
  for (const RegistrySource source : kRegistrySources) {
    SCOPED_TRACE(static_cast<int>(source));
    for (int round = 0; round < 2; ++round) {  // added, removed, and the same again
      AddDescriptor(source);
      refresher_.RefreshTick();
      EXPECT_TRUE(Listed());
      RemoveDescriptor(source);
      refresher_.RefreshTick();
      EXPECT_FALSE(Listed());
    }
  }
  EXPECT_FALSE(watches_.RefreshDue()) << "quiet again";
}

}  // namespace
}  // namespace zobl::testing
