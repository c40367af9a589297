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

std::string BackupFailedText(FileRefusal refusal) {
  const char* reason = nullptr;
  switch (refusal) {
    case FileRefusal::None:
    case FileRefusal::Unwritable: return kBackupFailedText;
    case FileRefusal::Link: reason = "it is a link to another file"; break;
    case FileRefusal::SeveralNames: reason = "the file has other names as well (hard links)"; break;
    case FileRefusal::OtherContent: reason = "it is not a registry file"; break;
  }
  return std::string("Cannot save a copy of the descriptor to ") + kBackupFileName + ": " + reason +
         ". Nothing was removed.";
}

std::string RemoveFailedText(const std::string& name, const std::string& reason) {
  return "The uninstall descriptor of the program \"" + name + "\" could not be removed:\n\n" + reason +
         "\n\nNothing was changed.";
}

std::string ElevatedStartQuestionText(const std::string& name) {
  return "The uninstall command of the program \"" + name +
         "\" can be changed by programs running without administrator rights, and it would run with "
         "administrator rights.\n\nDo you want to start it all the same?";
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
  const RegistrySource source = row->source;
  if (!row->command) {
    dialogs_.Show(kNoCommandBoxText, BoxIcon::Warning);
    return;
  }
  if (dialogs_.Show(ConfirmUninstallText(name), BoxIcon::Question) != BoxAnswer::Yes) return;
  // The row stays: the refresh drops it once the uninstaller has removed its descriptor.
  // A command that names no existing program starts nothing, so that no shorter path runs.
  const std::optional<ProgramStart> start = ProgramToStart(command, fileSystem_);
  if (!start || !StartUninstaller(*start, source, name)) dialogs_.Show(kCommandFailedText, BoxIcon::Error);
}

bool ListCommands::StartUninstaller(const ProgramStart& start, RegistrySource source, const std::string& name) {
  if (shell_.RunsElevated() && OrdinaryProgramsCanChange(source, start, fileSystem_)) {
    if (shell_.StartProgramAsUser(start)) return true;
    // Declining is no failure to tell.
    if (dialogs_.Show(ElevatedStartQuestionText(name), BoxIcon::WarningQuestion) != BoxAnswer::Yes) return true;
  }
  return shell_.StartProgram(start) == 0;
}

void ListCommands::RemoveSelectedRow() {
  const UninstallEntry* row = SelectedRowOrTell();
  if (row == nullptr) return;
  const RowId id = row->id;
  const RegistrySource source = row->source;
  const std::string keyName = row->keyName;
  const std::string name = ColumnText(*row, kNameColumn);
  if (dialogs_.Show(ConfirmRemoveText(name), BoxIcon::Question) != BoxAnswer::Yes) return;
  std::uint32_t failure = 0;
  switch (RemoveLineWithBackup(registry_, backup_, source, keyName, name, failure)) {
    // The row leaves at the next refresh.
    case LineRemoval::AlreadyGone: return;
    case LineRemoval::BackupFailed: dialogs_.Show(BackupFailedText(backup_.LastRefusal()), BoxIcon::Error); return;
    // The descriptor and its row stay; so does the file, as it was.
    case LineRemoval::DeletionFailed:
      dialogs_.Show(RemoveFailedText(name, registry_.FailureText(failure)), BoxIcon::Error);
      return;
    case LineRemoval::Removed: break;
  }
  if (const auto index = list_.IndexOf(id)) list_.DeleteAt(*index);
}

}  // namespace zobl
