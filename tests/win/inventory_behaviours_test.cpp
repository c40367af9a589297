// The refresh's and the list commands' behaviours over Wine's registry, drive and files;
// the shell and the message boxes are the test's (the real ones need the window).
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>

#include "descriptor_keys.h"
#include "inventory/descriptor_backup.h"
#include "inventory_refresh_behaviours.h"
#include "list_commands_behaviours.h"
#include "platform/win32/scoped_handles.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_growing_file.h"
#include "platform/win32/win32_locale.h"
#include "platform/win32/win32_registry.h"
#include "scratch_directory.h"

namespace zobl::testing {
namespace {

// Every descriptor made is removed at the end. The backup file and the programs go to a
// scratch working directory.
class WineInventoryWorld final : public InventoryWorld {
 public:
  ~WineInventoryWorld() override {
    for (const std::string& name : variables_) SetEnvironmentVariableA(name.c_str(), nullptr);
  }

  Registry& System() override { return registry_; }
  FileSystem& Files() override { return files_; }
  GrowingFiles& BackupFiles() override { return backupFiles_; }
  const Locale& TextOrder() override { return locale_; }

  void CreateDescriptor(const std::string& keyName, RegistrySource source) override { keys_.Create(source, keyName); }
  void SetValue(const std::string& keyName,
                const std::string& valueName,
                std::uint32_t type,
                const std::string& bytes,
                RegistrySource source) override {
    keys_.SetValue(source, keyName, valueName, type, bytes);
  }
  void DeleteDescriptor(const std::string& keyName, RegistrySource source) override {
    if (keys_.Delete(source, keyName) != ERROR_SUCCESS) throw std::runtime_error("cannot delete " + keyName);
  }
  bool DescriptorExists(const std::string& keyName, RegistrySource source) override {
    return keys_.Exists(source, keyName);
  }
  // A value name with half a surrogate pair has no UTF-8 form, so no exact copy.
  void MakeUnreadable(const std::string& keyName, RegistrySource source) override {
    keys_.SetStored(source, keyName, std::wstring(1, static_cast<wchar_t>(0xD800)), REG_SZ, std::string(2, '\0'));
  }

  std::string BackupFileBytes() override {
    const win32::ScopedFileHandle file(CreateFileA(BackupPath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string bytes(64 * 1024, '\0');
    DWORD read = 0;
    if (!file.IsValid() || !ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
      read = 0;
    }
    bytes.resize(read);
    return bytes;
  }
  void WriteBackupFile(const std::string& bytes) override {
    const win32::ScopedFileHandle file(
        CreateFileA(BackupPath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!file.IsValid() || !WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) {
      throw std::runtime_error("cannot write " + BackupPath());
    }
  }
  // Running as root, Wine writes into read-only folders; a folder where the file would
  // go cannot be written by anyone.
  void BlockBackupFile() override { CreateDirectoryOrThrow(BackupPath()); }

  std::string ProgramsRoot() override { return scratch_.Path(); }
  void MakeDirectory(const std::string& path) override { CreateDirectoryOrThrow(path); }
  void MakeFile(const std::string& path) override { CreateFileOrThrow(path); }
  void SetVariable(const std::string& name, const std::string& value) override {
    SetEnvironmentVariableA(name.c_str(), value.c_str());
    variables_.insert(name);
  }

 private:
  std::string BackupPath() const { return scratch_.Path() + "\\" + kBackupFileName; }

  ScratchDirectory scratch_{"inventory"};
  ScopedCurrentDirectory current_{scratch_.Path()};
  DescriptorKeys keys_;
  std::set<std::string> variables_;
  win32::Win32Registry registry_;
  win32::Win32FileSystem files_;
  win32::Win32GrowingFiles backupFiles_;
  win32::Win32Locale locale_;
};

class InventoryBehaviourOnWineTest : public ::testing::TestWithParam<InventoryBehaviour> {};

TEST_P(InventoryBehaviourOnWineTest, Holds) {
  WineInventoryWorld world;
  InventoryHarness harness(world, "Zobl" + std::to_string(GetCurrentProcessId()) + "-");
  GetParam().run(harness);
}

const auto kName = [](const auto& param) { return std::string(param.param.name); };
INSTANTIATE_TEST_SUITE_P(Inventory, InventoryBehaviourOnWineTest, ::testing::ValuesIn(RefreshBehaviours()), kName);
INSTANTIATE_TEST_SUITE_P(ListCommands,
                         InventoryBehaviourOnWineTest,
                         ::testing::ValuesIn(ListCommandsBehaviours()),
                         kName);

}  // namespace
}  // namespace zobl::testing
