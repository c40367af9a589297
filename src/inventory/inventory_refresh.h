#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "inventory/inventory_list.h"
#include "inventory/uninstall_watches.h"
#include "platform/file_system.h"
#include "platform/locale.h"
#include "platform/registry.h"

namespace zobl {

// Keeps the inventory in step with the uninstall descriptors in the registry. A refresh
// never rebuilds the list: rows whose subkey has gone are dropped, subkeys without a row
// get one, and every other row keeps its texts, size, place and selection.
class InventoryRefresher {
 public:
  // Whether nameless rows (descriptors without a DisplayName) are listed; asked afresh for every row.
  using NamelessRowsShown = std::function<bool()>;

  InventoryRefresher(Registry& registry,
                     FileSystem& fileSystem,
                     const Locale& locale,
                     InventoryList& list,
                     NamelessRowsShown namelessRowsShown);

  // From now on a tick refreshes only when the watches say the registry may have changed.
  void WatchWith(UninstallWatches& watches) { watches_ = &watches; }

  // False when a source's Uninstall key exists but could not be read whole: the rows
  // are then what could be read. A source without the key is an empty one.
  bool RefreshInventory();
  // The refresh timer's callback: skipped while a tick-started refresh is still running,
  // and while the watched keys are quiet.
  void RefreshTick();
  [[nodiscard]] bool RefreshBusy() const { return refreshBusy_; }

  // Reads the descriptor at `keyPath` of `source` (the Uninstall key's path, a backslash
  // and `keyName`) and appends at most one row for it.
  void AddInventoryRow(RegistrySource source,
                       const std::string& keyPath,
                       const std::string& keyName,
                       std::string_view windowsDirectory);

 private:
  bool AddNewDescriptors(RegistrySource source, std::string_view windowsDirectory);
  void PruneRows();
  void CollectListedKeys();
  // False when the subkey is listed or was met before in this walk: a subkey written
  // meanwhile at a lower index moves the rest one place on, and the walk meets again
  // the one it just read.
  [[nodiscard]] bool FirstSighting(RegistrySource source, std::string_view keyName);
  const zobl::SharedFolderList& SharedFolders();

  Registry& registry_;
  FileSystem& fileSystem_;
  const Locale& locale_;
  InventoryList& list_;
  NamelessRowsShown namelessRowsShown_;
  bool refreshBusy_ = false;
  UninstallWatches* watches_ = nullptr;

  // Per refresh: the source and key name of each row left after pruning and of each
  // subkey met by the walk, the name in upper case (the registry does not tell key
  // names apart by case), and a scratch lookup key.
  std::unordered_set<std::string> listedKeys_;
  std::string lookupKey_;
  // The system's shared folders in long form, asked once: they do not move while the
  // program runs.
  std::optional<zobl::SharedFolderList> sharedFolders_;
};

}  // namespace zobl
