#pragma once

#include <optional>
#include <string>

#include "commandline/inventory_json.h"
#include "diskusage/compute_sizes_run.h"
#include "platform/directory_listing.h"
#include "platform/file_system.h"
#include "platform/locale.h"
#include "platform/message_pump.h"
#include "platform/process_code_page.h"
#include "platform/registry.h"
#include "platform/tick_source.h"

namespace zobl {

// What an export reads, measures and converts with.
struct ExportSystem {
  Registry& registry;
  FileSystem& fileSystem;
  const Locale& locale;
  DirectoryListing& listing;
  MessagePump& pump;
  TickSource& ticks;
  const ProcessCodePage& codePage;
};

struct ExportRequest {
  bool measureSizes = false;
  bool json = false;  // else CSV
  // A CSV file opened by a spreadsheet needs the byte-order mark; a pipe's reader does not.
  bool byteOrderMark = true;
  InventoryOrigin origin;  // for JSON
};

// The inventory as the command line hands it out: read from the three sources as the
// window reads it at its start (nameless lines hidden), every program's directory
// measured when asked (the run shows itself through `progress`), written as CSV or JSON
// in UTF-8. Nothing when a source's Uninstall key exists but could not be read whole: an
// export that looks complete must be. A source without the key is an empty one.
[[nodiscard]] std::optional<std::string> ExportedInventory(ExportSystem& system,
                                                           const ExportRequest& request,
                                                           ComputeSizesView& progress);

}  // namespace zobl
