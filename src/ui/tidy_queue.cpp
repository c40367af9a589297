#include "ui/tidy_queue.h"

#include "diskusage/directory_size.h"
#include "inventory/quiet_uninstall.h"
#include "inventory/uninstall_key.h"
#include "ui/command_to_start.h"
#include "ui/descriptor_removal.h"
#include "ui/list_commands.h"

namespace zobl {
namespace {

constexpr char kNoProgramFileText[] = "The program file its command names is not there.";
constexpr char kNotAsUserText[] =
    "Programs without administrator rights can change it, and it could not be started with your ordinary rights "
    "(uninstall it from the list to be asked): ";

class ScopedFlag {
 public:
  explicit ScopedFlag(bool& flag) : flag_(flag) { flag_ = true; }
  ~ScopedFlag() { flag_ = false; }
  ScopedFlag(const ScopedFlag&) = delete;
  ScopedFlag& operator=(const ScopedFlag&) = delete;

 private:
  bool& flag_;
};

}  // namespace

void TidyQueue::Begin(std::vector<TidyProgram> programs, bool quietly) {
  programs_ = std::move(programs);
  quietly_ = quietly;
  stopping_ = false;
  next_ = 0;
  current_.reset();
  results_.clear();
  Advance();
}

bool TidyQueue::Advance() {
  if (advancing_) return Running();
  const ScopedFlag advancing(advancing_);
  if (current_) {
    if (!current_->Ended()) return true;
    FinishCurrent();
  }
  while (current_ == nullptr && next_ < programs_.size()) {
    if (stopping_) {
      for (; next_ < programs_.size(); ++next_) results_.push_back({programs_[next_].name, TidyOutcome::Stopped});
      break;
    }
    StartNext();
  }
  return current_ != nullptr;
}

std::string TidyQueue::ProgressText() const {
  if (!Running() || next_ == 0) return {};
  return "Uninstalling " + std::to_string(next_) + " of " + std::to_string(programs_.size()) + ": " +
         programs_[next_ - 1].name;
}

void TidyQueue::StartNext() {
  const TidyProgram& program = programs_[next_++];
  const std::string& command = quietly_ && program.quietCommand ? *program.quietCommand : program.command;
  if (command.empty()) {
    results_.push_back({program.name, TidyOutcome::NotStarted, std::nullopt, "There is no uninstallation command."});
    return;
  }
  // Started as the single uninstall starts one: the one program file the command names,
  // with the user's ordinary rights where the user's programs could have changed it. A
  // run asks nothing in its midst: such a program is never started with more.
  const std::optional<ProgramStart> start = ProgramToStart(command, fileSystem_);
  if (!start) {
    results_.push_back({program.name, TidyOutcome::NotStarted, std::nullopt, kNoProgramFileText});
    return;
  }
  std::uint32_t failure = 0;
  const bool asUser = shell_.RunsElevated() && OrdinaryProgramsCanChange(program.source, *start, fileSystem_);
  current_ = asUser ? processes_.StartAsUser(*start, failure) : processes_.Start(*start, failure);
  if (!current_) {
    results_.push_back({program.name, TidyOutcome::NotStarted, std::nullopt,
                        (asUser ? kNotAsUserText : "") + processes_.FailureText(failure)});
  }
}

void TidyQueue::FinishCurrent() {
  const TidyProgram& program = programs_[next_ - 1];
  TidyResult result{program.name};
  result.exitCode = current_->ExitCode();
  current_.reset();
  RegistryChanged();
  if (DescriptorGone(program)) {
    result.outcome = TidyOutcome::Removed;
    result.exitCode.reset();
    NoteLeftBehind(program, result);
  } else {
    result.outcome = TidyOutcome::StillListed;
  }
  results_.push_back(std::move(result));
}

bool TidyQueue::DescriptorGone(const TidyProgram& program) {
  const ScopedRegistryKey uninstall(registry_, program.source, kUninstallKeyPath);
  if (uninstall.Opening() == KeyOpening::Missing) return true;
  if (!uninstall.IsOpen()) return false;
  // Through the Uninstall key: a long name would make the full path too long.
  const ScopedRegistryKey descriptor(registry_, uninstall.Get(), program.keyName.c_str());
  return !descriptor.IsOpen() && registry_.LastFailure() == kRegistryNotFound;
}

void TidyQueue::NoteLeftBehind(const TidyProgram& program, TidyResult& result) {
  // The row's directory is never a shared folder: the command analysis gives none such.
  if (!program.directory || program.directory->empty() || !fileSystem_.IsExistingDirectory(program.directory->c_str())) {
    return;
  }
  result.leftBehind = program.directory;
  result.leftBehindBytes = DirectorySize(*program.directory, listing_, pump_);
}

std::optional<std::string> TidyQueue::QuietCommand(RegistrySource source, const std::string& keyName) {
  return QuietUninstallCommand(registry_, fileSystem_, source, keyName);
}

void TidyQueue::RemoveLines(const std::vector<TidyProgram>& programs) {
  programs_.clear();
  current_.reset();
  results_.clear();
  bool backupFailed = false;
  for (const TidyProgram& program : programs) {
    TidyResult result{program.name};
    if (backupFailed) {
      results_.push_back(std::move(result));
      continue;
    }
    std::uint32_t failure = 0;
    switch (RemoveLineWithBackup(registry_, backup_, program.source, program.keyName, program.name, failure)) {
      case LineRemoval::Removed:
      case LineRemoval::AlreadyGone:
        result.outcome = TidyOutcome::Removed;
        NoteLeftBehind(program, result);
        break;
      case LineRemoval::BackupFailed:
        // The file would fail the next ones too: none is removed without its copy.
        backupFailed = true;
        result.outcome = TidyOutcome::NotStarted;
        result.reason = BackupFailedText(backup_.LastRefusal());
        break;
      case LineRemoval::DeletionFailed:
        result.outcome = TidyOutcome::StillListed;
        result.reason = registry_.FailureText(failure);
        break;
    }
    results_.push_back(std::move(result));
  }
  RegistryChanged();
}

}  // namespace zobl
