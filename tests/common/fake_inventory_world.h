#pragma once

#include <string>

#include "fake_backup_file.h"
#include "fake_file_system.h"
#include "fake_registry.h"
#include "inventory/descriptor_backup.h"
#include "inventory/uninstall_key.h"
#include "inventory_world.h"
#include "platform/portable_locale.h"

namespace zobl::testing {

// The world of the refresh and the list commands in fakes, for the host.
class FakeInventoryWorld final : public InventoryWorld {
 public:
  FakeInventoryWorld() {
    registry.CreateKey(kUninstallKeyPath);
    files.AddDirectory(ProgramsRoot());
  }

  static std::string DescriptorPath(const std::string& keyName) {
    return std::string(kUninstallKeyPath) + "\\" + keyName;
  }

  Registry& System() override { return registry; }
  FileSystem& Files() override { return files; }
  GrowingFiles& BackupFiles() override { return backupFiles; }
  const Locale& TextOrder() override { return locale; }

  void CreateDescriptor(const std::string& keyName, RegistrySource source) override {
    registry.CreateKey(DescriptorPath(keyName), source);
  }
  void SetValue(const std::string& keyName,
                const std::string& valueName,
                std::uint32_t type,
                const std::string& bytes,
                RegistrySource source) override {
    registry.SetTypedValue(DescriptorPath(keyName), valueName, type, bytes, source);
  }
  void DeleteDescriptor(const std::string& keyName, RegistrySource source) override {
    registry.DeleteTree(DescriptorPath(keyName), source);
  }
  bool DescriptorExists(const std::string& keyName, RegistrySource source) override {
    return registry.KeyExists(DescriptorPath(keyName), source);
  }
  // As a key changing under the walk would.
  void MakeUnreadable(const std::string&, RegistrySource) override { registry.failValueEnumeration = true; }

  std::string BackupFileBytes() override {
    const auto file = backupFiles.files.find(kBackupFileName);
    return file == backupFiles.files.end() ? std::string() : file->second;
  }
  void WriteBackupFile(const std::string& bytes) override { backupFiles.files[kBackupFileName] = bytes; }
  void BlockBackupFile() override { backupFiles.unwritable.insert(kBackupFileName); }

  std::string ProgramsRoot() override { return "C:\\Programs"; }
  void MakeDirectory(const std::string& path) override { files.AddDirectory(path); }
  void MakeFile(const std::string& path) override { files.AddFile(path); }
  void SetVariable(const std::string& name, const std::string& value) override { files.SetVariable(name, value); }

  FakeRegistry registry;
  FakeFileSystem files;
  FakeGrowingFiles backupFiles;
  PortableLocale locale;
};

}  // namespace zobl::testing
