#include "app/export_inventory.h"

#include <exception>

#include "diskusage/compute_sizes_run.h"
#include "inventory/export_command_line.h"
#include "inventory/inventory_csv.h"
#include "inventory/inventory_list.h"
#include "inventory/inventory_refresh.h"
#include "mainwindow/form_link.h"
#include "platform/win32/win32_command_line.h"
#include "platform/win32/win32_directory_listing.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_growing_file.h"
#include "platform/win32/win32_locale.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_tick_source.h"

namespace zobl {
namespace {

// Without a window there is nothing to keep responsive, and nothing closes.
class NoWindowPump final : public MessagePump {
 public:
  bool Pump() override { return true; }
};

}  // namespace

int ExportInventory(const std::string& file, bool measureSizes) {
  try {
    win32::Win32Registry registry;
    win32::Win32FileSystem fileSystem;
    win32::Win32Locale locale;
    InventoryList list(locale);
    InventoryRefresher refresher(registry, fileSystem, locale, list, [] { return false; });
    refresher.RefreshInventory();
    if (measureSizes) {
      win32::Win32DirectoryListing listing;
      win32::Win32TickSource ticks;
      NoWindowPump pump;
      FormLink noWindow;  // joined by no window: the run shows nothing of itself
      ComputeSizesRun(list, listing, pump, ticks, noWindow).ButtonCalculeTailleClick();
    }
    if (!win32::Win32GrowingFiles().Replace(file.c_str(), InventoryCsv(list))) {
      win32::TellConsole("zobl: cannot write " + file);
      return kExitUnwritable;
    }
    return 0;
  } catch (const std::exception& failure) {
    win32::TellConsole(std::string("zobl: ") + failure.what());
    return kExitFailed;
  }
}

}  // namespace zobl
