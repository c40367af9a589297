#include "inventory/column_text.h"

#include "inventory/size_text.h"
#include "platform/utf16_text.h"

namespace zobl {
namespace {

const std::string kNoName = "[NO NAME]";
const std::string kUnknownDate = "[unknown]";
const std::string kNotYetComputed = "[NOT YET COMPUTED]";
const std::string kUnknownSize = "unknown";
const std::string kNoCommand = "[NO COMMAND]";
const std::string kMissingDirectory = "[MISSING OR SYSTEM DIRECTORY ?]";
const std::string kNoText;

const std::string& OrStandIn(const std::optional<std::string>& text, const std::string& standIn) {
  return text ? *text : standIn;
}

}  // namespace

const std::string& SortText(const UninstallEntry& row, ListColumn column) {
  switch (column) {
    case kNameColumn: return OrStandIn(row.name, kNoName);
    case kKeyNameColumn: return row.keyName;
    case kInstallDateColumn: return OrStandIn(row.installDate, kUnknownDate);
    case kCommandColumn: return OrStandIn(row.command, kNoCommand);
    case kSupposedDirectoryColumn: return OrStandIn(row.directory, kMissingDirectory);
    case kSizeColumn:
    case kColumnCount: break;
  }
  return kNoText;
}

std::string ColumnText(const UninstallEntry& row, ListColumn column) {
  if (column == kKeyNameColumn) return ShownKeyName(row.keyName);
  if (column != kSizeColumn) return SortText(row, column);
  switch (row.size) {
    case SizeState::NotYetComputed: return kNotYetComputed;
    case SizeState::Unknown: return kUnknownSize;
    case SizeState::Measured: return SizeText(row.sizeBytes);
  }
  return kNoText;
}

}  // namespace zobl
