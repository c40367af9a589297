#pragma once

#include "diskusage/compute_sizes_run.h"
#include "inventory/descriptor_backup.h"
#include "inventory/inventory_list.h"
#include "inventory/inventory_refresh.h"
#include "inventory/shown_rows.h"
#include "inventory/uninstall_watches.h"
#include "ui/list_commands.h"
#include "ui/list_sorting.h"
#include "ui/tidy_queue.h"
#include "mainwindow/refresh_timer.h"
#include "mainwindow/system_services.h"
#include "ui/settings.h"
#include "platform/win32/win32_process_code_page.h"
#include "reports/pie_series.h"
#include "texture/win32/texture.h"

namespace zobl {

// The program's feature objects, each over the interfaces it asks of the system, made
// before the window and handed to it (MainWindow(system.Window(), app)). They outlive the
// window and ask nothing of it (a compute run tells the observer the window hands it for
// that run); the tidy window's runs live here, as they outlive that window.
struct AppComposition {
  explicit AppComposition(SystemServices& system)
      : settings(system.SettingsFile()),
        list(system.locale),
        shownRows(list, system.locale),
        sorting(list, system.locale),
        watches(system.registryWatcher, system.ticks),
        refresher(system.registry, system.fileSystem, system.locale, list),
        backup(system.registry, system.growingFiles, system.clock, codePage),
        listCommands(list, system.registry, system.fileSystem, system.UserShell(), system.dialogs, backup),
        computeRun(list, system.listing, system.pump),
        tidyQueue(system.registry, system.fileSystem, system.listing, system.pump, system.processes, system.UserShell(),
                  backup) {
    refresher.WatchWith(watches);
    // Each program the tidy window uninstalls or removes leaves the list at once.
    tidyQueue.SetRegistryChanged([this] { refresher.RefreshInventory(); });
  }
  AppComposition(const AppComposition&) = delete;
  AppComposition& operator=(const AppComposition&) = delete;

  Settings settings;
  Texture texture;
  InventoryList list;
  ShownRows shownRows;  // what the list view shows of `list`
  ListSorting sorting;
  UninstallWatches watches;
  InventoryRefresher refresher;
  win32::Win32ProcessCodePage codePage;
  DescriptorBackup backup;
  ListCommands listCommands;
  ComputeSizesRun computeRun;
  PieSeries pieSeries;
  RefreshTimer refreshTimer;
  TidyQueue tidyQueue;
};

}  // namespace zobl
