#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "inventory/inventory_list.h"
#include "planted_programs.h"

namespace zobl::churn {

// What a check found wrong, a line each; empty when everything holds.
using Problems = std::vector<std::string>;

// A descriptor that the run's "Remove Line" took out of the registry.
struct RemovedDescriptor {
  RegistrySource source;
  std::string keyName;
};

[[nodiscard]] const UninstallEntry* FindRow(const InventoryList& list,
                                            RegistrySource source,
                                            const std::string& keyName);
[[nodiscard]] bool KeyExists(RegistrySource source, const std::string& keyName);

// The list control shows the list's rows, text for text. Adds to `rowsChecked`.
Problems ViewShowsList(HWND listView, const InventoryList& list, long& rowsChecked);
// No descriptor has two rows.
Problems NoKeyListedTwice(const InventoryList& list);
// Every stable descriptor has its row, with the texts it was planted with.
Problems StableRowsListed(const InventoryList& list, const std::vector<StableDescriptor>& stable);
// Consecutive rows in the order a sort by `column` promises.
Problems SortedBy(const InventoryList& list, int column);
// Every measured row whose directory is a planted tree holds that tree's bytes.
Problems MeasuredSizesMatch(const InventoryList& list, const std::vector<PlantedTree>& trees);

// Once the registry is still: each row's name and command are its descriptor's values
// in its own source; each descriptor with a name has exactly one row. Adds to `rowsChecked`.
Problems ListMatchesRegistry(const InventoryList& list, long& rowsChecked);
// Each removed descriptor is gone from registry and list, and its copy is in the backup
// (`backupText`: the file's bytes, UTF-16LE).
Problems RemovalsBackedUp(const InventoryList& list,
                          const std::vector<RemovedDescriptor>& removed,
                          const std::string& backupText);

}  // namespace zobl::churn
