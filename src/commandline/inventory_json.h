#pragma once

#include <string>

#include "inventory/inventory_list.h"
#include "platform/process_code_page.h"

namespace zobl {

// Where and when an inventory was taken, as a collector of many machines' needs it.
struct InventoryOrigin {
  std::string computer;  // UTF-8
  std::string exported;  // the time, UTC, ISO 8601: "2026-12-08T01:35:00Z"
};

// The inventory as one JSON document in UTF-8, for machines to read: the computer, the
// time and the programs in the list's order, each with every text exactly as the
// program has it (no stand-ins, no apostrophes), null where there is none:
// {"computer", "exported", "programs": [{"name", "keyName", "registryPath", "source"
// ("machine64", "machine32", "user"), "installDate" ("YYYY-MM-DD"), "sizeBytes" (null
// unless measured), "sizeText" (as the list shows it), "command", "directory"}]}.
[[nodiscard]] std::string InventoryJson(const InventoryList& list,
                                        const InventoryOrigin& origin,
                                        const ProcessCodePage& codePage);

}  // namespace zobl
