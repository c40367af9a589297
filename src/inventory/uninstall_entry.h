#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <memory>
#include <string>

#include "inventory/descriptor_values.h"
#include "platform/registry.h"

namespace zobl {

// Identifies a row for as long as it is in the list; never reused. Code that holds a
// row across a message pump or a modal box keeps this, not an index.
using RowId = std::uint64_t;
inline constexpr RowId kNoRow = 0;

// The list's six columns, in the order they are shown.
enum ListColumn : int {
  kNameColumn = 0,
  kKeyNameColumn = 1,
  kInstallDateColumn = 2,
  kSizeColumn = 3,
  kCommandColumn = 4,
  kSupposedDirectoryColumn = 5,
  kColumnCount = 6,
};

inline constexpr int kStatusOk = 0;       // the "OK" picture
inline constexpr int kStatusWarning = 1;  // no readable command, or a path in it leads nowhere

// Where a row's size stands: a run of "Compute the Files Size" measures its directory, or
// finds it has none.
enum class SizeState { NotYetComputed, Unknown, Measured };

// One row of the inventory: one uninstall descriptor. The fields are what the program
// knows; ColumnText (column_text.h) makes the texts the list shows, placeholders included.
struct UninstallEntry {
  RowId id = kNoRow;
  // Where the descriptor is; every registry operation on the row goes there. Two
  // sources may hold keys of the same name: they are two rows.
  RegistrySource source = RegistrySource::Machine64;
  // The descriptor's DisplayName; none for a descriptor without one (a nameless line).
  std::optional<std::string> name;
  std::string keyName;
  std::optional<std::string> publisher;       // Publisher value, when the descriptor has one
  std::optional<std::string> displayVersion;  // DisplayVersion value, when it has one
  // The supposed directory's creation date as "yyyy.mm.dd"; none when unknown.
  std::optional<std::string> installDate;
  SizeState size = SizeState::NotYetComputed;
  // The last measured byte count; a run that finds no directory leaves it as it was.
  std::uint64_t sizeBytes = 0;
  // The UninstallString as stored; none when the descriptor has no readable one.
  std::optional<std::string> command;
  // The command as it is started: the stored one expanded, when the descriptor stores it
  // as an expandable text. Empty: the stored command as it stands.
  std::string expandedCommand;
  // The program's directory as guessed from its command or InstallLocation; none when
  // nothing led to an ordinary existing directory.
  std::optional<std::string> directory;
  // The directory came from the descriptor's InstallLocation value, the command naming none.
  bool directoryFromInstallLocation = false;
  // The rest of what the descriptor tells, read for the exports alone (none in the window).
  std::shared_ptr<const DescriptorDetails> details;
  int statusImage = kStatusOk;
  bool selected = false;
  // The locale's sort key of the Name column's text, which the list keeps to place the
  // row in Name order without weighing the name again at every comparison.
  std::string nameSortKey;

  [[nodiscard]] const std::string& CommandAsStarted() const {
    static const std::string kNone;
    return !expandedCommand.empty() ? expandedCommand : command ? *command : kNone;
  }
};

}  // namespace zobl
