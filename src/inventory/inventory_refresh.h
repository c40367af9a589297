#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "inventory/inventory_list.h"
#include "inventory/long_path.h"
#include "inventory/uninstall_watches.h"
#include "platform/file_system.h"
#include "platform/locale.h"
#include "platform/registry.h"

namespace zobl {

// The text a value stands for: an expandable text expanded, as a program of the value's
// source reads it, when its expansion fits a value buffer; any other as stored.
std::string ValueText(const char* stored, std::uint32_t type, RegistrySource source, FileSystem& fileSystem);

// How a refresh reads the registry.
enum class RegistryReading : std::uint8_t {
  // The window's: names and values through fixed buffers (platform/capacities.h); a name
  // that does not fit is passed over, a value that does not fit is not there.
  Bounded,
  // The exports': every key name and value whole, each descriptor read in one pass, with
  // the fields every inventory carries; one that exists but cannot be read is reported.
  Complete,
};

// A descriptor a complete reading could not read, and the system's reason.
struct UnreadableDescriptor {
  RegistrySource source;
  std::string keyName;
  std::string reason;
};

// Keeps the inventory in step with the uninstall descriptors in the registry. A refresh
// never rebuilds the list: rows whose subkey has gone are dropped, subkeys without a row
// get one, and every other row keeps its texts, size, place and selection.
class InventoryRefresher {
 public:
  InventoryRefresher(Registry& registry,
                     FileSystem& fileSystem,
                     const Locale& locale,
                     InventoryList& list,
                     RegistryReading reading = RegistryReading::Bounded);

  // Whether nameless rows (descriptors without a DisplayName) are listed, from the next
  // refresh on; they are not at first.
  void ShowNamelessRows(bool shown) { namelessRowsShown_ = shown; }

  // From now on a tick refreshes only when the watches say the registry may have changed.
  void WatchWith(UninstallWatches& watches) { watches_ = &watches; }

  // False when a source's Uninstall key exists but could not be read whole: the rows
  // are then what could be read. A source without the key is an empty one.
  bool RefreshInventory();
  // The refresh timer's callback: skipped while a tick-started refresh is still running,
  // and while the watched keys are quiet.
  void RefreshTick();
  [[nodiscard]] bool RefreshBusy() const { return refreshBusy_; }
  // The descriptors the last complete refresh met but could not read.
  [[nodiscard]] const std::vector<UnreadableDescriptor>& Unreadable() const { return unreadable_; }

  // Reads the descriptor at `keyPath` of `source` (the Uninstall key's path, a backslash
  // and `keyName`) and appends at most one row for it.
  void AddInventoryRow(RegistrySource source,
                       const std::string& keyPath,
                       const std::string& keyName,
                       std::string_view windowsDirectory);

 private:
  // A value's text and type number, as a row is made from them.
  struct StoredText {
    std::string text;
    std::uint32_t type;
  };
  using ValueReader = std::function<std::optional<StoredText>(const char* valueName)>;

  bool AddNewDescriptors(RegistrySource source, std::string_view windowsDirectory);
  bool AddEveryDescriptor(RegistrySource source, Registry::Key uninstall, std::string_view windowsDirectory);
  // Every value of the descriptor, or nothing when it has gone or cannot be read (noted).
  std::optional<std::vector<RegistryValue>> ReadWholeDescriptor(RegistrySource source,
                                                                 Registry::Key uninstall,
                                                                 const std::string& keyName);
  void AddRow(RegistrySource source,
              const std::string& keyName,
              std::string_view windowsDirectory,
              const ValueReader& read,
              std::shared_ptr<const DescriptorDetails> details);
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
  bool namelessRowsShown_ = false;
  RegistryReading reading_;
  bool refreshBusy_ = false;
  std::vector<UnreadableDescriptor> unreadable_;
  UninstallWatches* watches_ = nullptr;

  // Per refresh: the source and key name of each row left after pruning and of each
  // subkey met by the walk, the name in upper case (the registry does not tell key
  // names apart by case), and a scratch lookup key.
  std::unordered_set<std::string> listedKeys_;
  std::string lookupKey_;
  // The system's shared folders in long form, asked once: they do not move while the
  // program runs.
  std::optional<zobl::SharedFolderList> sharedFolders_;
  // The long forms of the program folders' parents, searched once a pass.
  KnownLongPaths knownParents_;
};

}  // namespace zobl
