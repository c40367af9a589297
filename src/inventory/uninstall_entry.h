#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace zobl {

// Identifies a row for as long as it is in the list; never reused. Code that holds a
// row across a message pump or a modal box keeps this, not an index.
using RowId = std::uint64_t;
inline constexpr RowId kNoRow = 0;

// The list's six columns. Column c > 0 is a row's further text number c - 1.
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

// One row of the inventory: one uninstall descriptor.
struct UninstallEntry {
  RowId Id = kNoRow;
  // Where the descriptor is; every registry operation on the row goes there. Two
  // sources may hold keys of the same name: they are two rows.
  RegistrySource Source = RegistrySource::Machine64;
  std::string Name;
  // KeyName, InstallDate, SizeDisplay, Command, SupposedDirectory, in this order. A row
  // gets them one by one while it is built, so fewer may be present.
  std::vector<std::string> FurtherTexts;
  // The command as it is started: the Command column's text expanded, when the
  // descriptor stores it as an expandable text. Empty: the column's text as it stands.
  std::string ExpandedCommand;
  // The supposed directory came from the descriptor's InstallLocation value, the
  // command naming none.
  bool DirectoryFromInstallLocation = false;
  std::uint64_t SizeBytes = 0;  // 0 until measured
  int StatusImage = kStatusOk;
  bool Selected = false;

  // Further text number k, or nullptr when the row does not have it.
  [[nodiscard]] const std::string* FurtherText(std::size_t k) const {
    return k < FurtherTexts.size() ? &FurtherTexts[k] : nullptr;
  }
  // The text of a column; an absent text reads as empty.
  [[nodiscard]] const std::string& Text(ListColumn column) const {
    static const std::string kAbsent;
    if (column == kNameColumn) return Name;
    const std::string* text = FurtherText(static_cast<std::size_t>(column) - 1);
    return text != nullptr ? *text : kAbsent;
  }
  [[nodiscard]] const std::string& KeyName() const { return Text(kKeyNameColumn); }
  [[nodiscard]] const std::string& InstallDate() const { return Text(kInstallDateColumn); }
  [[nodiscard]] const std::string& SizeDisplay() const { return Text(kSizeColumn); }
  [[nodiscard]] const std::string& Command() const { return Text(kCommandColumn); }
  [[nodiscard]] const std::string& SupposedDirectory() const { return Text(kSupposedDirectoryColumn); }
  [[nodiscard]] const std::string& CommandAsStarted() const {
    return ExpandedCommand.empty() ? Command() : ExpandedCommand;
  }
};

}  // namespace zobl
