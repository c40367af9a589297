#include "inventory/uninstall_watches.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "fake_file_system.h"
#include "fake_registry.h"
#include "inventory/inventory_refresh.h"
#include "inventory/uninstall_key.h"
#include "platform/portable_locale.h"

namespace zobl::testing {
namespace {

// Watches on the fake registry: a key can be watched while it exists (the root always
// does); the test raises a source's signal as the system would on a change.
class FakeWatcher final : public RegistryWatcher {
 public:
  explicit FakeWatcher(const FakeRegistry& registry) : registry_(registry) {}

  std::unique_ptr<KeyWatch> Watch(RegistrySource source, const std::string& subKey, bool subtree) override {
    if (unwatchable.count(source) != 0 || (!subKey.empty() && !registry_.KeyExists(subKey, source))) return nullptr;
    watched[source] = subtree ? subKey : subKey + " (names)";
    signalled[source] = false;
    return std::make_unique<Watch_>(*this, source);
  }
  void Signal(RegistrySource source) { signalled[source] = true; }

  std::set<RegistrySource> unwatchable;
  std::map<RegistrySource, std::string> watched;
  std::map<RegistrySource, bool> signalled;

 private:
  struct Watch_ final : KeyWatch {
    Watch_(FakeWatcher& owner, RegistrySource watchedSource) : watcher(owner), source(watchedSource) {}
    bool Signalled() override { return watcher.signalled[source]; }
    bool Rearm() override {
      watcher.signalled[source] = false;
      return watcher.registry_.KeyExists(watcher.watched[source], source);
    }
    FakeWatcher& watcher;
    RegistrySource source;
  };
  const FakeRegistry& registry_;
};

class FakeClock final : public TickSource {
 public:
  std::uint32_t Milliseconds() override { return now; }
  std::uint32_t now = 1000;
};

constexpr auto kMachine = RegistrySource::Machine64;
constexpr auto kUser = RegistrySource::User;

class UninstallWatchesTest : public ::testing::Test {
 protected:
  UninstallWatchesTest() {
    registry_.CreateKey(kUninstallKeyPath, kMachine);
    registry_.CreateKey(kUninstallKeyPath, RegistrySource::Machine32);
    refresher_.WatchWith(watches_);
  }
  void AddDescriptor(const std::string& name, RegistrySource source = kMachine) {
    registry_.CreateKey(std::string(kUninstallKeyPath) + "\\" + name, source);
    registry_.SetValue(std::string(kUninstallKeyPath) + "\\" + name, "DisplayName", name, source);
  }
  bool Listed(const std::string& name) const {
    for (std::size_t i = 0; i < list_.Count(); ++i) {
      if (list_.RowAt(i).name == name) return true;
    }
    return false;
  }
  // Whether a tick read the registry.
  bool TickRefreshed() {
    registry_.ResetCalls();
    refresher_.RefreshTick();
    return registry_.Calls().opens > 0;
  }

  FakeRegistry registry_;
  FakeFileSystem files_;
  PortableLocale locale_;
  InventoryList list_{locale_};
  FakeWatcher watcher_{registry_};
  FakeClock clock_;
  UninstallWatches watches_{watcher_, clock_};
  InventoryRefresher refresher_{registry_, files_, locale_, list_};
};

TEST_F(UninstallWatchesTest, TicksReadTheRegistryOnlyAfterASignalOrFiveMinutes) {
  refresher_.RefreshInventory();  // start-up
  EXPECT_EQ(watcher_.watched[kMachine], kUninstallKeyPath);
  EXPECT_EQ(watcher_.watched[kUser], " (names)") << "no user keys at all: the root, for its subkeys";

  AddDescriptor("Quiet");
  EXPECT_FALSE(TickRefreshed()) << "no signal, no refresh";
  watcher_.Signal(kMachine);
  EXPECT_TRUE(TickRefreshed());
  EXPECT_TRUE(Listed("Quiet"));
  EXPECT_FALSE(TickRefreshed()) << "one signal, one refresh";

  // A change while the refresh reads the registry is seen by the next tick.
  registry_.onEnumerate = [this](std::uint32_t) {
    if (registry_.KeyExists(std::string(kUninstallKeyPath) + "\\Late")) return;
    AddDescriptor("Late");
    watcher_.Signal(kMachine);
  };
  AddDescriptor("Early");
  watcher_.Signal(kMachine);
  EXPECT_TRUE(TickRefreshed());
  registry_.onEnumerate = nullptr;
  EXPECT_TRUE(TickRefreshed());
  EXPECT_TRUE(Listed("Late"));

  // The user's first program: the root signals, the key is then watched itself.
  AddDescriptor("Mine", kUser);
  watcher_.Signal(kUser);
  EXPECT_TRUE(TickRefreshed());
  EXPECT_TRUE(Listed("Mine"));
  EXPECT_EQ(watcher_.watched[kUser], kUninstallKeyPath);

  // The safety net: five minutes after the last full refresh, not a millisecond before.
  clock_.now += UninstallWatches::kSafetyNetMilliseconds - 1;
  EXPECT_FALSE(TickRefreshed());
  clock_.now += 1;
  EXPECT_TRUE(TickRefreshed());
  EXPECT_FALSE(TickRefreshed());
}

TEST_F(UninstallWatchesTest, ASourceThatCannotBeWatchedRefreshesEveryTick) {
  watcher_.unwatchable = {kUser};
  refresher_.RefreshInventory();
  for (int tick = 0; tick < 3; ++tick) EXPECT_TRUE(TickRefreshed());
}

}  // namespace
}  // namespace zobl::testing
