#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

#include "platform/registry_watch.h"
#include "platform/tick_source.h"

namespace zobl {

// Tells the two-second tick whether the registry may hold something new, so that an idle
// window reads nothing. Each source's Uninstall key is watched, subtree and all; a source
// without one is watched through its nearest existing parent, whose subkeys coming and
// going tell when the key appears. Only a source that cannot be watched at all, a signal
// or a full refresh older than five minutes (in case a signal was lost) make a refresh due.
class UninstallWatches {
 public:
  static constexpr std::uint32_t kSafetyNetMilliseconds = 5 * 60 * 1000;

  UninstallWatches(RegistryWatcher& watcher, TickSource& ticks) : watcher_(watcher), ticks_(ticks) {}

  [[nodiscard]] bool RefreshDue();
  // Right before a refresh reads the registry: every watch is reset and armed again (and
  // moved to the Uninstall key or back to a parent as the keys now stand), so that a
  // change made while the refresh runs makes the next tick's refresh due.
  void BeforeRefresh();

 private:
  struct SourceWatch {
    std::unique_ptr<KeyWatch> watch;
    bool onUninstallKey = false;
  };
  void WatchAfresh(RegistrySource source, SourceWatch& watched);

  RegistryWatcher& watcher_;
  TickSource& ticks_;
  std::array<SourceWatch, kRegistrySources.size()> watches_;
  std::optional<std::uint32_t> lastRefresh_;
};

}  // namespace zobl
