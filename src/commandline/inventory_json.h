#pragma once

#include <span>
#include <string>

#include "inventory/inventory_list.h"
#include "inventory/inventory_refresh.h"

namespace zobl {

// Where and when an inventory was taken, as a collector of many machines' needs it.
struct InventoryOrigin {
  std::string computer;  // UTF-8
  std::string exported;  // the time, UTC, ISO 8601: "2026-12-08T01:35:00Z"
};

// The inventory as one JSON document in UTF-8, for machines to read: the computer, the
// time, the programs in the list's order, each with every text exactly as read (no
// stand-ins, no apostrophes), null where there is none, and the descriptors that could
// not be read. The fields, in order, are README's.
[[nodiscard]] std::string InventoryJson(const InventoryList& list,
                                        const InventoryOrigin& origin,
                                        std::span<const UnreadableDescriptor> unreadable);

// "machine64", "machine32" or "user".
[[nodiscard]] const char* SourceName(RegistrySource source);

}  // namespace zobl
