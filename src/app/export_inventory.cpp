#include "app/export_inventory.h"

#include <exception>

#include "commandline/export_command_line.h"
#include "commandline/inventory_export.h"
#include "mainwindow/form_link.h"
#include "platform/win32/win32_command_line.h"
#include "platform/win32/win32_directory_listing.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_growing_file.h"
#include "platform/win32/win32_locale.h"
#include "platform/win32/win32_process_code_page.h"
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
    win32::Win32DirectoryListing listing;
    NoWindowPump pump;
    win32::Win32TickSource ticks;
    win32::Win32ProcessCodePage codePage;
    ExportSystem system{registry, fileSystem, locale, listing, pump, ticks, codePage};
    FormLink noWindow;  // joined by no window: the run shows nothing of itself
    const std::optional<std::string> csv = ExportedInventory(system, {.measureSizes = measureSizes}, noWindow);
    if (!csv) {
      win32::TellConsole("zobl: the registry's list of installed programs cannot be read; " + file + " is unchanged");
      return kExitFailed;
    }
    if (!win32::Win32GrowingFiles().Replace(file.c_str(), *csv)) {
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
