#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/growing_file.h"
#include "platform/local_clock.h"
#include "platform/process_code_page.h"
#include "platform/registry.h"

namespace zobl {

// In the working directory, beside the settings file.
inline constexpr char kBackupFileName[] = "ZOBL-removed.reg";

// The descriptor, every value and every subkey, as registry file key blocks (UTF-8
// text, see reg_file_text.h) under the full path that brings it back into its own
// source; nothing when any part of it cannot be read, since a partial copy could not
// restore it. `keyName` is in the process's code page, as the registry gave it.
std::optional<std::string> DescriptorRegText(Registry& registry,
                                             RegistrySource source,
                                             std::string_view keyName,
                                             const ProcessCodePage& codePage);

// "; 2024-05-01 14:03:27 ZOBL Quillmoor removed: Acme Notes" and its line end, the name
// in UTF-8. Line breaks in the name would end the comment early; they become blanks.
std::string BackupCommentLine(const LocalDateTime& when, std::string_view programName);

// Keeps a copy of each descriptor the user removes, so that no removal is for good:
// `reg import` of the backup file brings any of them back.
class DescriptorBackup {
 public:
  DescriptorBackup(Registry& registry, GrowingFiles& files, const LocalClock& clock, const ProcessCodePage& codePage)
      : registry_(registry), files_(files), clock_(clock), codePage_(codePage) {}

  // Appends the descriptor to the backup file, converting a file an earlier version
  // left first. `keyName` and `programName` are in the process's code page. Returns the file's former length (after
  // that conversion), or nothing when the copy could not be made whole.
  std::optional<std::uint64_t> Save(RegistrySource source, const std::string& keyName, const std::string& programName);
  // Takes the copy just saved back out of the file.
  void TakeBack(std::uint64_t formerLength);
  // Why the file refused the last copy that could not be saved; None when the file was
  // not the cause (the descriptor could not be read whole).
  [[nodiscard]] FileRefusal LastRefusal() const { return refusal_; }

 private:
  // Brings a REGEDIT4 file to the present form; true when there is none.
  bool ConvertEarlierFile();

  Registry& registry_;
  GrowingFiles& files_;
  const LocalClock& clock_;
  const ProcessCodePage& codePage_;
  FileRefusal refusal_ = FileRefusal::None;
};

}  // namespace zobl
