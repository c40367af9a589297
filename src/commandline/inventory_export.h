#pragma once

#include <optional>
#include <string>
#include <vector>

#include "commandline/inventory_json.h"
#include "diskusage/compute_sizes_run.h"
#include "inventory/inventory_refresh.h"
#include "platform/directory_listing.h"
#include "platform/file_system.h"
#include "platform/locale.h"
#include "platform/message_pump.h"
#include "platform/registry.h"

namespace zobl {

// What an export reads and measures with; their texts are UTF-8, whatever the process's
// code page, so that what is exported is exact on every Windows.
struct ExportSystem {
  Registry& registry;
  FileSystem& fileSystem;
  const Locale& locale;
  DirectoryListing& listing;
  MessagePump& pump;
};

struct ExportRequest {
  bool measureSizes = false;
  bool json = false;  // else CSV
  // A CSV file opened by a spreadsheet needs the byte-order mark; a pipe's reader does not.
  bool byteOrderMark = true;
  // Written to a console: a CSV's texts keep no line breaks of their own (InventoryCsv).
  bool forConsole = false;
  InventoryOrigin origin;  // for JSON
};

// An inventory as it is handed out, and the descriptors it could not read.
struct ExportedDocument {
  std::string text;
  std::vector<UnreadableDescriptor> unreadable;
};

// The inventory as the command line hands it out: read completely from the three sources
// (every key name and value whole, nameless lines hidden), every program's directory
// measured when asked (the run tells `progress` how far it has come), written as CSV or JSON in
// UTF-8. Nothing when a source's Uninstall key exists but could not be read whole: an
// export that looks complete must be. A source without the key is an empty one; a
// descriptor that exists but cannot be read is named in `unreadable`.
[[nodiscard]] std::optional<ExportedDocument> ExportedInventory(ExportSystem& system,
                                                                const ExportRequest& request,
                                                                ComputeSizesObserver& progress);

}  // namespace zobl
