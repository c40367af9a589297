#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "inventory/descriptor_backup.h"
#include "inventory/uninstall_entry.h"
#include "platform/directory_listing.h"
#include "platform/file_system.h"
#include "platform/message_pump.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/watched_process.h"

namespace zobl {

// What the tidy window needs of one program, copied from its row when the user asks:
// the row may leave the list while the run goes on.
struct TidyProgram {
  RegistrySource source = RegistrySource::Machine64;
  std::string keyName;
  std::string name;     // as the list shows it
  std::string command;  // the uninstall command as the single uninstall starts it
  std::optional<std::string> quietCommand;
  std::optional<std::string> directory;  // the supposed directory, shared folders never
};

enum class TidyOutcome {
  Removed,      // the descriptor is gone
  StillListed,  // the uninstaller ended and the descriptor stayed: cancelled or failed
  NotStarted,   // the system's text says why
  Stopped,      // the user stopped the run before its turn
};

struct TidyResult {
  std::string name;
  TidyOutcome outcome = TidyOutcome::Stopped;
  std::optional<std::uint32_t> exitCode;  // StillListed: the uninstaller's, when it told one
  std::string reason;                     // NotStarted: why
  // Removed, and the program's folder is still there: that folder and the bytes in it.
  std::optional<std::string> leftBehind;
  std::uint64_t leftBehindBytes = 0;
};

// Uninstalls programs one after another, each waited for with every process it started,
// and removes stale lines together, keeping what became of each. The window drives a
// run: it calls Advance from its timer and its message loop keeps running meanwhile.
class TidyQueue {
 public:
  TidyQueue(Registry& registry,
            FileSystem& fileSystem,
            DirectoryListing& listing,
            MessagePump& pump,
            ProcessWatcher& processes,
            Shell& shell,
            DescriptorBackup& backup)
      : registry_(registry),
        fileSystem_(fileSystem),
        listing_(listing),
        pump_(pump),
        processes_(processes),
        shell_(shell),
        backup_(backup) {}
  TidyQueue(const TidyQueue&) = delete;
  TidyQueue& operator=(const TidyQueue&) = delete;

  // Called after each step has changed the registry, for the list to follow at once.
  void SetRegistryChanged(std::function<void()> changed) { registryChanged_ = std::move(changed); }

  // Begins uninstalling `programs` in their order; with `quietly`, each by its quiet
  // command where it offers one. The first one starts here.
  void Begin(std::vector<TidyProgram> programs, bool quietly);
  // Looks whether the one under way has ended; then reads the registry, notes what became
  // of it and starts the next. True while one is under way.
  bool Advance();
  // The one under way runs to its end; no other starts.
  void Stop() { stopping_ = true; }
  // Also while the one that ended is being looked at: measuring what it left behind runs
  // the message loop, and the window must not take the run for over meanwhile.
  [[nodiscard]] bool Running() const { return current_ != nullptr || advancing_; }
  [[nodiscard]] std::size_t Total() const { return programs_.size(); }
  // "Uninstalling 2 of 5: Acme Notes"; empty when none is under way.
  [[nodiscard]] std::string ProgressText() const;

  // Removes the lines of `programs` together, each as "Remove Line" removes one: copied to
  // the backup file first, and left alone when the copy fails, as is every line after it.
  void RemoveLines(const std::vector<TidyProgram>& programs);

  // The program's quiet uninstall command, when its descriptor offers one.
  [[nodiscard]] std::optional<std::string> QuietCommand(RegistrySource source, const std::string& keyName);

  // What became of each program of the last run or removal, in its order.
  [[nodiscard]] const std::vector<TidyResult>& Results() const { return results_; }

 private:
  void StartNext();
  void FinishCurrent();
  [[nodiscard]] bool DescriptorGone(const TidyProgram& program);
  // A removed program's folder that is still there, measured.
  void NoteLeftBehind(const TidyProgram& program, TidyResult& result);
  void RegistryChanged() const {
    if (registryChanged_) registryChanged_();
  }

  Registry& registry_;
  FileSystem& fileSystem_;
  DirectoryListing& listing_;
  MessagePump& pump_;
  ProcessWatcher& processes_;
  Shell& shell_;  // whether this process is elevated
  DescriptorBackup& backup_;
  std::function<void()> registryChanged_;

  std::vector<TidyProgram> programs_;
  bool quietly_ = false;
  bool stopping_ = false;
  std::size_t next_ = 0;  // the next program to start; the one under way is before it
  std::unique_ptr<WatchedProcess> current_;
  // Measuring a folder runs the message loop, whose timer would come back here.
  bool advancing_ = false;
  std::vector<TidyResult> results_;
};

}  // namespace zobl
