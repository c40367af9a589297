#include "mainwindow/list_commands.h"

#include <gtest/gtest.h>

#include <string>

#include "fake_backup_file.h"
#include "fake_file_system.h"
#include "fake_registry.h"
#include "inventory/descriptor_backup.h"
#include "inventory/uninstall_key.h"
#include "list_commands_behaviours.h"
#include "platform/portable_locale.h"

namespace zobl::testing {
namespace {

std::string DescriptorPath(const std::string& keyName) { return std::string(kUninstallKeyPath) + "\\" + keyName; }

class HostWorld final : public CommandsWorld {
 public:
  HostWorld() { files.AddDirectory(ProgramsRoot()); }

  Registry& System() override { return registry; }
  FileSystem& Files() override { return files; }
  GrowingFiles& BackupFiles() override { return backupFiles; }
  const Locale& TextOrder() override { return locale; }

  void CreateDescriptor(RegistrySource source, const std::string& keyName) override {
    registry.CreateKey(DescriptorPath(keyName), source);
  }
  void SetValue(RegistrySource source,
                const std::string& keyName,
                const std::string& valueName,
                std::uint32_t type,
                const std::string& bytes) override {
    registry.SetTypedValue(DescriptorPath(keyName), valueName, type, bytes, source);
  }
  void DeleteDescriptor(RegistrySource source, const std::string& keyName) override {
    registry.DeleteTree(DescriptorPath(keyName), source);
  }
  bool DescriptorExists(RegistrySource source, const std::string& keyName) override {
    return registry.KeyExists(DescriptorPath(keyName), source);
  }
  // As a key changing under the walk would.
  void MakeUnreadable(RegistrySource, const std::string&) override { registry.failValueEnumeration = true; }

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

class ListCommandsBehaviourTest : public ::testing::TestWithParam<CommandsBehaviour> {};

TEST_P(ListCommandsBehaviourTest, Holds) {
  HostWorld world;
  CommandsHarness harness(world, "Zobl-");
  GetParam().run(harness);
  EXPECT_EQ(world.registry.OpenKeyCount(), 0u) << "every key opened is closed";
}

INSTANTIATE_TEST_SUITE_P(ListCommands,
                         ListCommandsBehaviourTest,
                         ::testing::ValuesIn(ListCommandsBehaviours()),
                         [](const auto& param) { return std::string(param.param.name); });

// The fake's code page has bytes of no character; the system's may have none.
TEST(ListCommandsTest, NoCopyWhenTheEarlierFileHasAByteOfNoCharacter) {
  HostWorld world;
  CommandsHarness h(world, "Zobl-");
  const std::string earlier = "REGEDIT4\r\n\r\n; \x81\r\n";
  world.WriteBackupFile(earlier);
  h.Add("Acme", "Acme", "x");
  h.Refresh();
  ASSERT_TRUE(h.Select("Acme"));
  list_commands::ExpectNoCopyAndNothingRemoved(h, "Acme", earlier);
}

// Another process deletes the descriptor while its copy is being read: there is nothing
// to keep and nothing to tell, and the row leaves at the next refresh.
TEST(ListCommandsTest, DescriptorGoneDuringItsCopyIsNeitherCopiedNorReported) {
  HostWorld world;
  CommandsHarness h(world, "Zobl-");
  h.Add("Acme", "Acme", "x");
  h.Refresh();
  ASSERT_TRUE(h.Select("Acme"));
  world.registry.onEnumerateValue = [&] { world.DeleteDescriptor(RegistrySource::Machine64, "Acme"); };
  h.commands.ButtonRemoveEntryClick();
  EXPECT_EQ(h.dialogs.shown.size(), 1u) << "the question alone";
  EXPECT_EQ(world.BackupFileBytes(), "");
  h.Refresh();
  EXPECT_FALSE(h.Listed("Acme"));
}

}  // namespace
}  // namespace zobl::testing
