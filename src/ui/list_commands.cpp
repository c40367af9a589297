#include "ui/list_commands.h"

#include "inventory/column_text.h"
#include "inventory/uninstall_key.h"
#include "ui/command_to_start.h"
#include "ui/descriptor_removal.h"

namespace zobl {

std::string ConfirmUninstallText(const std::string& name) {
  return "Do you really want to uninstall the program \"" + name +
         "\" ?\n\nThis program will be removed from your hard disk."
         "\n\nClick on Yes to uninstall the program, or on No to cancel.";
}

std::string ConfirmRemoveText(const std::string& name) {
  return "Do you really want to remove the uninstall descriptor of the program \"" + name +
         "\" ?\n\nYou should remove it only if the program was uninstalled previously."
         "\n\nClick on Yes to remove the descriptor, or on No to cancel.";
}

const UninstallEntry* ListCommands::SelectedRowOrTell() {
  const auto selected = list_.SelectedIndex();
  if (selected) return &list_.RowAt(*selected);
  dialogs_.Show(kNothingSelectedText, BoxIcon::Information);
  return nullptr;
}

void ListCommands::UninstallSelectedRow() {
  const UninstallEntry* row = SelectedRowOrTell();
  if (row == nullptr) return;
  const std::string command = row->CommandAsStarted();
  const std::string name = ColumnText(*row, kNameColumn);
  if (!row->command) {
    dialogs_.Show(kNoCommandBoxText, BoxIcon::Warning);
    return;
  }
  if (dialogs_.Show(ConfirmUninstallText(name), BoxIcon::Question) != BoxAnswer::Yes) return;
  // The row stays: the refresh drops it once the uninstaller has removed its descriptor.
  if (shell_.StartCommand(CommandToStart(command, fileSystem_)) < 32) {
    dialogs_.Show(kCommandFailedText, BoxIcon::Error);
  }
}

void ListCommands::RemoveSelectedRow() {
  const UninstallEntry* row = SelectedRowOrTell();
  if (row == nullptr) return;
  const RowId id = row->id;
  const RegistrySource source = row->source;
  const std::string keyName = row->keyName;
  const std::string name = ColumnText(*row, kNameColumn);
  if (dialogs_.Show(ConfirmRemoveText(name), BoxIcon::Question) != BoxAnswer::Yes) return;
  switch (RemoveLineWithBackup(registry_, backup_, source, keyName, name)) {
    // The row leaves at the next refresh.
    case LineRemoval::AlreadyGone: return;
    case LineRemoval::BackupFailed: dialogs_.Show(kBackupFailedText, BoxIcon::Error); return;
    // The descriptor and its row stay.
    case LineRemoval::DeletionFailed: return;
    case LineRemoval::Removed: break;
  }
  if (const auto index = list_.IndexOf(id)) list_.DeleteAt(*index);
}

}  // namespace zobl
