#pragma once

#include "app/form_services.h"
#include "diskusage/compute_sizes_run.h"
#include "inventory/descriptor_backup.h"
#include "inventory/inventory_list.h"
#include "inventory/inventory_refresh.h"
#include "inventory/shown_rows.h"
#include "inventory/uninstall_watches.h"
#include "ui/form_features.h"
#include "ui/list_commands.h"
#include "ui/list_sorting.h"
#include "ui/tidy_queue.h"
#include "mainwindow/refresh_timer.h"
#include "ui/settings.h"
#include "platform/win32/win32_process_code_page.h"
#include "reports/pie_series.h"
#include "texture/win32/texture.h"

namespace zobl {

// The program's feature objects over the system's services, made before the window and
// handed to it (MainWindow(system.Window(), app.Features())). One composition serves one
// window, and outlives it.
struct AppComposition {
  explicit AppComposition(const FormServices& system)
      : settings(system.profile),
        list(system.locale),
        shownRows(list, system.locale),
        sorting(list, system.locale),
        watches(system.registryWatcher, system.ticks),
        refresher(system.registry, system.fileSystem, system.locale, list),
        backup(system.registry, system.growingFiles, system.clock, codePage),
        listCommands(list, system.registry, system.fileSystem, system.shell, system.dialogs, backup),
        computeRun(list, system.listing, system.pump),
        tidyQueue(system.registry, system.fileSystem, system.listing, system.pump, system.processes, system.shell,
                  backup) {
    refresher.WatchWith(watches);
    // Each program the tidy window uninstalls or removes leaves the list at once.
    tidyQueue.SetRegistryChanged([this] { refresher.RefreshInventory(); });
  }
  AppComposition(const AppComposition&) = delete;
  AppComposition& operator=(const AppComposition&) = delete;

  [[nodiscard]] FormFeatures Features() {
    return {settings, texture, list, shownRows, sorting, refresher, listCommands, computeRun, pieSeries, refreshTimer,
            tidyQueue};
  }

  Settings settings;
  Texture texture;
  InventoryList list;
  ShownRows shownRows;
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
