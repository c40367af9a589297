#include "inventory/uninstall_watches.h"

#include <string>

#include "inventory/uninstall_key.h"

namespace zobl {

bool UninstallWatches::RefreshDue() {
  if (!lastRefresh_ || ticks_.Milliseconds() - *lastRefresh_ >= kSafetyNetMilliseconds) return true;
  for (SourceWatch& watched : watches_) {
    if (watched.watch == nullptr || watched.watch->Signalled()) return true;
  }
  return false;
}

void UninstallWatches::BeforeRefresh() {
  for (std::size_t i = 0; i < watches_.size(); ++i) {
    SourceWatch& watched = watches_[i];
    // A watched Uninstall key stays watched; a parent is left as soon as the key exists.
    if (watched.watch != nullptr && watched.onUninstallKey && watched.watch->Rearm()) continue;
    WatchAfresh(kRegistrySources[i], watched);
  }
  lastRefresh_ = ticks_.Milliseconds();
}

void UninstallWatches::WatchAfresh(RegistrySource source, SourceWatch& watched) {
  watched.watch = watcher_.Watch(source, kUninstallKeyPath, true);
  watched.onUninstallKey = watched.watch != nullptr;
  std::string parent = kUninstallKeyPath;
  while (watched.watch == nullptr && !parent.empty()) {
    const std::size_t cut = parent.rfind('\\');
    parent.resize(cut == std::string::npos ? 0 : cut);
    watched.watch = watcher_.Watch(source, parent, false);
  }
}

}  // namespace zobl
