#pragma once

#include <string>

#include "inventory/descriptor_backup.h"
#include "inventory/inventory_list.h"
#include "platform/file_system.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/user_dialogs.h"

namespace zobl {

inline constexpr char kNothingSelectedText[] = "No item selected. Please select one of them and retry.";
inline constexpr char kNoCommandBoxText[] =
    "There is no uninstallation command associated to this item.\n\n"
    "If this program was already uninstalled, you could click on the button \"Remove Line But not the files\".";
inline constexpr char kCommandFailedText[] =
    "The uninstallation command failed.\n\n"
    "If this program was already uninstalled, you could click on the button \"Remove Line But not the files\".";
inline constexpr char kBackupFailedText[] =
    "Cannot save a copy of the descriptor to ZOBL-removed.reg. Nothing was removed.";

std::string ConfirmUninstallText(const std::string& name);
std::string ConfirmRemoveText(const std::string& name);
// The backup file's refusal, named: a link, a file of several names or another kind of
// file at that name is not written to.
std::string BackupFailedText(FileRefusal refusal);
// The deletion failed: the system's reason.
std::string RemoveFailedText(const std::string& name, const std::string& reason);
// Asked before an elevated window starts a command that programs without an
// administrator's rights can change, when the desktop's shell cannot start it with the
// user's ordinary rights.
std::string ElevatedStartQuestionText(const std::string& name);

// The two commands on the selected row: start the program's own uninstaller, or drop
// its descriptor and leave its files alone. A refresh may run while a question is on
// screen, so what each command needs of the row is copied before it asks. A descriptor
// is removed only once a copy of it is safe in the backup file. An uninstaller starts as
// the one program file its command names (ProgramToStart); one that the user's ordinary
// programs can change keeps the user's ordinary rights when the window runs elevated.
class ListCommands {
 public:
  ListCommands(InventoryList& list,
               Registry& registry,
               FileSystem& fileSystem,
               Shell& shell,
               UserDialogs& dialogs,
               DescriptorBackup& backup)
      : list_(list), registry_(registry), fileSystem_(fileSystem), shell_(shell), dialogs_(dialogs), backup_(backup) {}

  void UninstallSelectedRow();
  void RemoveSelectedRow();

 private:
  // The selected row; without one, the user is told and nothing is returned.
  const UninstallEntry* SelectedRowOrTell();
  // Starts the program with the rights that suit it; false when it failed to start (the
  // user declining to start it is no failure).
  bool StartUninstaller(const ProgramStart& start, RegistrySource source, const std::string& name);

  InventoryList& list_;
  Registry& registry_;
  FileSystem& fileSystem_;
  Shell& shell_;
  UserDialogs& dialogs_;
  DescriptorBackup& backup_;
};

}  // namespace zobl
