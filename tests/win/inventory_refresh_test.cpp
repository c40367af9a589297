#include "inventory/inventory_refresh.h"
#include "platform/win32/scoped_handles.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <stdexcept>
#include <string>

#include "inventory/uninstall_key.h"
#include "inventory_refresh_behaviours.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_locale.h"
#include "platform/win32/win32_registry.h"
#include "scratch_directory.h"

namespace zobl::testing {
namespace {

// Wine's registry and drive. Descriptors are made relative to the open Uninstall key,
// since Wine's ANSI calls refuse full paths much longer than 255 characters; every
// descriptor made is removed at the end.
class WineWorld final : public DescriptorWorld {
 public:
  WineWorld() {
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kUninstallKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        uninstall_.Receive(), nullptr) != ERROR_SUCCESS) {
      throw std::runtime_error("cannot open the Uninstall key");
    }
  }
  ~WineWorld() override {
    for (const std::string& keyName : created_) RegDeleteTreeA(uninstall_.Get(), keyName.c_str());
  }

  Registry& System() override { return registry_; }
  FileSystem& Files() override { return files_; }
  const Locale& TextOrder() override { return locale_; }

  void CreateDescriptor(const std::string& keyName) override {
    win32::ScopedKey key;
    if (RegCreateKeyExA(uninstall_.Get(), keyName.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.Receive(),
                        nullptr) != ERROR_SUCCESS) {
      throw std::runtime_error("cannot create " + keyName);
    }
    created_.insert(keyName);
  }
  void SetValue(const std::string& keyName, const char* valueName, const std::string& bytes) override {
    win32::ScopedKey key;
    if (RegOpenKeyExA(uninstall_.Get(), keyName.c_str(), 0, KEY_ALL_ACCESS, key.Receive()) != ERROR_SUCCESS) {
      throw std::runtime_error("cannot open " + keyName);
    }
    const LSTATUS status = RegSetValueExA(key.Get(), valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(bytes.data()),
                                          static_cast<DWORD>(bytes.size()));
    if (status != ERROR_SUCCESS) throw std::runtime_error("cannot set a value of " + keyName);
  }
  void DeleteDescriptor(const std::string& keyName) override {
    if (RegDeleteTreeA(uninstall_.Get(), keyName.c_str()) != ERROR_SUCCESS) {
      throw std::runtime_error("cannot delete " + keyName);
    }
  }
  std::string CreateProgram(const std::string& leaf, const std::string& file) override {
    const std::string directory = scratch_.Path() + "\\" + leaf;
    CreateDirectoryOrThrow(directory);
    CreateFileOrThrow(directory + "\\" + file);
    return directory;
  }
  std::string MissingPath() override { return scratch_.Path() + "\\Gone\\uninst.exe"; }

 private:
  win32::ScopedKey uninstall_;
  std::set<std::string> created_;
  win32::Win32Registry registry_;
  win32::Win32FileSystem files_;
  win32::Win32Locale locale_;
  ScratchDirectory scratch_{"inventory"};
};

class RefreshBehaviourOnWineTest : public ::testing::TestWithParam<RefreshBehaviour> {};

TEST_P(RefreshBehaviourOnWineTest, Holds) {
  WineWorld world;
  RefreshHarness harness(world, "Zobl" + std::to_string(GetCurrentProcessId()) + "-");
  GetParam().run(harness);
}

INSTANTIATE_TEST_SUITE_P(Inventory,
                         RefreshBehaviourOnWineTest,
                         ::testing::ValuesIn(RefreshBehaviours()),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace zobl::testing
