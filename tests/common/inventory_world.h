#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "fake_backup_file.h"
#include "fake_user_interface.h"
#include "inventory/column_text.h"
#include "inventory/descriptor_backup.h"
#include "inventory/inventory_list.h"
#include "inventory/inventory_refresh.h"
#include "ui/list_commands.h"
#include "ui/list_sorting.h"
#include "platform/file_system.h"
#include "platform/growing_file.h"
#include "platform/locale.h"
#include "platform/process_code_page.h"
#include "platform/registry.h"

namespace zobl::testing {

// The registry, disk and backup file that the refresh and the list commands run against:
// fakes on the host, the system's under Wine. Key names are subkey names below the
// Uninstall key of a source (the 64-bit machine view unless named); texts are UTF-8.
class InventoryWorld {
 public:
  virtual ~InventoryWorld() = default;

  virtual Registry& System() = 0;
  virtual FileSystem& Files() = 0;
  // Where the backup file goes (by its name alone, as the window writes it).
  virtual GrowingFiles& BackupFiles() = 0;
  virtual const Locale& TextOrder() = 0;

  // A descriptor, or a subkey of one ("key\\child").
  virtual void CreateDescriptor(const std::string& keyName, RegistrySource source = RegistrySource::Machine64) = 0;
  // A value as the 8-bit calls see it: texts (types 1, 2 and 7) in UTF-8 with their
  // terminating zero, stored as the registry stores them, in UTF-16.
  virtual void SetValue(const std::string& keyName,
                        const std::string& valueName,
                        std::uint32_t type,
                        const std::string& bytes,
                        RegistrySource source = RegistrySource::Machine64) = 0;
  // The descriptor with everything below it.
  virtual void DeleteDescriptor(const std::string& keyName, RegistrySource source = RegistrySource::Machine64) = 0;
  [[nodiscard]] virtual bool DescriptorExists(const std::string& keyName,
                                              RegistrySource source = RegistrySource::Machine64) = 0;
  // Leaves the descriptor with values that cannot all be read.
  virtual void MakeUnreadable(const std::string& keyName, RegistrySource source = RegistrySource::Machine64) = 0;

  // The backup file's bytes; empty when there is none, or it cannot be read.
  virtual std::string BackupFileBytes() = 0;
  virtual void WriteBackupFile(const std::string& bytes) = 0;
  // Makes the backup file impossible to write.
  virtual void BlockBackupFile() = 0;

  // An existing directory to put programs in; no blank in its path.
  virtual std::string ProgramsRoot() = 0;
  virtual void MakeDirectory(const std::string& path) = 0;
  virtual void MakeFile(const std::string& path) = 0;
  // A variable of the environment, as %name% in an expandable text names it.
  virtual void SetVariable(const std::string& name, const std::string& value) = 0;
};

// The refresh, the sorting and the two commands over a world, with the list they share, a
// recording shell and dialogs the test answers. The keys the test made carry its tag,
// which keeps them apart from the other descriptors of a real registry, and begin with
// "~", which sorts them after every ordinary descriptor.
class InventoryHarness {
 public:
  InventoryHarness(InventoryWorld& descriptors, std::string tag) : world(descriptors), tag_("~" + std::move(tag)) {}

  std::string Key(const std::string& suffix) const { return tag_ + suffix; }
  // Sorts after the test's other keys (and after every other test's).
  std::string LateKey(const std::string& suffix) const { return "~" + tag_ + suffix; }
  const std::string& Tag() const { return tag_; }

  // A descriptor with the texts that are given.
  void Add(const std::string& keyName,
           const char* displayName,
           const char* command = nullptr,
           RegistrySource source = RegistrySource::Machine64) {
    world.CreateDescriptor(keyName, source);
    if (displayName != nullptr) SetText(keyName, "DisplayName", displayName, source);
    if (command != nullptr) SetText(keyName, "UninstallString", command, source);
  }
  void SetText(const std::string& keyName,
               const std::string& valueName,
               const std::string& text,
               RegistrySource source = RegistrySource::Machine64,
               std::uint32_t type = 1) {
    world.SetValue(keyName, valueName, type, text + '\0', source);
  }
  // An existing directory `leaf` holding the file `file`; returns the directory's path.
  std::string AddProgram(const std::string& leaf, const std::string& file) {
    const std::string directory = world.ProgramsRoot() + "\\" + leaf;
    world.MakeDirectory(directory);
    world.MakeFile(directory + "\\" + file);
    return directory;
  }
  // A path below a directory that does not exist.
  std::string MissingPath() { return world.ProgramsRoot() + "\\Gone\\uninst.exe"; }
  void Refresh() { refresher.RefreshInventory(); }
  // As the window's "Display Nameless Lines" box, for the refreshes to come.
  void ShowNameless(bool shown) { refresher.ShowNamelessRows(shown); }

  // The test's rows whatever their source, in list order.
  std::vector<const UninstallEntry*> Rows() const {
    std::vector<const UninstallEntry*> rows;
    for (std::size_t i = 0; i < list.Count(); ++i) {
      if (list.RowAt(i).keyName.find(tag_) != std::string::npos) rows.push_back(&list.RowAt(i));
    }
    return rows;
  }
  std::vector<std::string> KeyNames() const {
    std::vector<std::string> names;
    for (const UninstallEntry* row : Rows()) names.push_back(row->keyName);
    return names;
  }
  const UninstallEntry* Row(const std::string& keyName, RegistrySource source = RegistrySource::Machine64) const {
    for (std::size_t i = 0; i < list.Count(); ++i) {
      const UninstallEntry& row = list.RowAt(i);
      if (row.source == source && row.keyName == keyName) return &row;
    }
    return nullptr;
  }
  bool Listed(const std::string& keyName, RegistrySource source = RegistrySource::Machine64) const {
    return Row(keyName, source) != nullptr;
  }
  // Selects the row as a click would; false when it is not listed.
  bool Select(const std::string& keyName, RegistrySource source = RegistrySource::Machine64) {
    const UninstallEntry* row = Row(keyName, source);
    if (row == nullptr) return false;
    list.Select(row->id);
    return true;
  }
  bool Exists(const std::string& keyName, RegistrySource source = RegistrySource::Machine64) const {
    return world.DescriptorExists(keyName, source);
  }
  bool InNameOrder() const {
    for (std::size_t i = 1; i < list.Count(); ++i) {
      if (world.TextOrder().CompareText(SortText(list.RowAt(i - 1), kNameColumn).c_str(),
                                        SortText(list.RowAt(i), kNameColumn).c_str()) > 0) {
        return false;
      }
    }
    return true;
  }

  InventoryWorld& world;
  InventoryList list{world.TextOrder()};
  InventoryRefresher refresher{world.System(), world.Files(), world.TextOrder(), list};
  ListSorting sorting{list, world.TextOrder()};
  FakeShell shell;
  FakeDialogs dialogs;
  FixedClock clock;
  Utf8ProcessCodePage codePage;
  DescriptorBackup backup{world.System(), world.BackupFiles(), clock, codePage};
  ListCommands commands{list, world.System(), world.Files(), shell, dialogs, backup};

 private:
  std::string tag_;
};

// One behaviour of a table: written once, run on the host and under Wine.
struct InventoryBehaviour {
  const char* name;  // a test name
  void (*run)(InventoryHarness&);
};

inline void PrintTo(const InventoryBehaviour& behaviour, std::ostream* out) { *out << behaviour.name; }

}  // namespace zobl::testing
