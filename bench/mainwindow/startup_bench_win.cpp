// Times the window's start-up to a filled list: with no descriptors, then with 1,000 in
// two shapes (a tenth of their program directories there; every one there, side by side
// under one parent), in one run. Start-up here is what happens between creating the window and its first
// message loop: controls, settings, the first refresh and the refresh timer. The start-up
// with 1,000 is set against the empty one, and against the empty one plus the bare Win32
// calls of its first refresh, timed in turn with it. Run pinned to one core with its
// wineserver (bench/startup.sh).
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bare_first_refresh_win.h"
#include "bare_list_paint_win.h"
#include "bench_descriptors.h"
#include "inventory/column_text.h"
#include "inventory/command_analysis.h"
#include "mainwindow/main_window.h"
#include "mainwindow/app_composition.h"
#include "mainwindow/system_services.h"
#include "ui/window_design.h"
#include "platform/win32/gdi_handles.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_locale.h"
#include "platform/win32/win32_profile.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_text_file.h"

namespace {

using Clock = std::chrono::steady_clock;
using zobl::bench::BenchDescriptors;
using zobl::bench::kDescriptors;
constexpr int kRounds = 7;

struct StartUp {
  double milliseconds;
  std::size_t rows;
  double showing = 0;  // of which the window's showing and first paint
};

StartUp TimeStartUp() {
  zobl::SystemServices system;
  zobl::AppComposition app(system);
  zobl::MainWindow mainWindow(system.Window(), app);
  const auto start = Clock::now();
  mainWindow.Create(GetModuleHandleA(nullptr));
  const auto created = Clock::now();
  mainWindow.Show();
  const auto end = Clock::now();
  const std::size_t rows = mainWindow.Inventory().Count();
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  return {std::chrono::duration<double, std::milli>(end - start).count(), rows,
          std::chrono::duration<double, std::milli>(end - created).count()};
}

// The rows of a first refresh put in Name order by the system's comparison, alone.
double TimeOrderingAlone(const zobl::InventoryList& filled) {
  std::vector<zobl::UninstallEntry> rows;
  for (std::size_t i = 0; i < filled.Count(); ++i) rows.push_back(filled.RowAt(i));
  std::reverse(rows.begin(), rows.end());  // as the registry gives them, not in order
  zobl::win32::Win32Locale locale;
  zobl::InventoryList list(locale);
  const auto start = Clock::now();
  for (zobl::UninstallEntry& row : rows) list.Add(std::move(row));
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The first refresh alone, with no window, for the share the window adds.
double TimeRefreshAlone(double* ordering = nullptr) {
  zobl::win32::Win32Registry registry;
  zobl::win32::Win32FileSystem fileSystem;
  zobl::win32::Win32Locale locale;
  zobl::InventoryList list(locale);
  zobl::InventoryRefresher refresher(registry, fileSystem, locale, list);
  const auto start = Clock::now();
  refresher.RefreshInventory();
  const double refresh = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  if (ordering != nullptr) *ordering = TimeOrderingAlone(list);
  return refresh;
}

double TimeAnalysisAlone() {
  zobl::win32::Win32FileSystem fileSystem;
  zobl::win32::Win32Locale locale;
  zobl::KnownLongPaths knownParents;  // as a refresh keeps them over its pass
  const auto start = Clock::now();
  for (int i = 0; i < kDescriptors; ++i) {
    const std::string command = "\"C:\\ZoblStartupBench\\App" + std::to_string(i) + "\\uninstall.exe\" /S";
    static_cast<void>(zobl::AnalyseCommand(command, "C:\\windows", fileSystem, locale, {}, &knownParents));
  }
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double TimeBareFirstRefresh() {
  const auto start = Clock::now();
  BareFirstRefresh();
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The window's list as it is first shown (where it stands, its font, the rows' texts),
// painted again by a bare list view, for the share of the first paint the control costs.
double TimeBareListPaint() {
  RECT place{};
  LOGFONTA font{};
  int dpi = 0;
  std::vector<zobl::bench::ShownRow> rows;
  {
    zobl::SystemServices system;
    zobl::AppComposition app(system);
    zobl::MainWindow mainWindow(system.Window(), app);
    mainWindow.Create(GetModuleHandleA(nullptr));
    mainWindow.Show();
    dpi = mainWindow.Dpi();
    const HWND list = mainWindow.Control(zobl::kInventoryListView);
    GetWindowRect(list, &place);
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(list, WM_GETFONT, 0, 0)), sizeof font, &font);
    for (std::size_t i = 0; i < mainWindow.Inventory().Count(); ++i) {
      const zobl::UninstallEntry& row = mainWindow.Inventory().RowAt(i);
      zobl::bench::ShownRow& shown = rows.emplace_back();
      shown.image = row.statusImage;
      for (int column = 0; column < zobl::kColumnCount; ++column) {
        shown.texts[column] = zobl::ColumnText(row, static_cast<zobl::ListColumn>(column));
      }
    }
  }
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  const zobl::win32::ScopedFont copy(CreateFontIndirectA(&font));
  return zobl::bench::BareListPaintCost(place, copy.Get(), dpi, rows);
}

StartUp Median(std::vector<StartUp> runs) {
  std::sort(runs.begin(), runs.end(), [](const auto& a, const auto& b) { return a.milliseconds < b.milliseconds; });
  return runs[runs.size() / 2];
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

StartUp MedianStartUp() {
  std::vector<StartUp> runs;
  for (int i = 0; i < kRounds; ++i) runs.push_back(TimeStartUp());
  return Median(runs);
}

// The start-up with 1,000 descriptors of one kind against the empty one, in turn with the
// bare calls of its first refresh.
void MeasureShape(zobl::bench::DescriptorKind kind, const char* title, const StartUp& empty) {
  std::printf("%d descriptors, %s\n", kDescriptors, title);
  const BenchDescriptors descriptors(kind);
  TimeBareFirstRefresh();  // warm: the new keys and directories seen once
  std::vector<StartUp> fulls;
  std::vector<double> bares;
  for (int i = 0; i < kRounds; ++i) {
    fulls.push_back(TimeStartUp());
    bares.push_back(TimeBareFirstRefresh());
  }
  const StartUp full = Median(fulls);
  const double bare = Median(bares);
  double ordering = 0;
  std::printf("  first refresh alone: %.1f ms\n", TimeRefreshAlone(&ordering));
  std::printf("  of which naming and ordering the rows: %.1f ms\n", ordering);
  std::printf("  their command analyses alone: %.1f ms\n", TimeAnalysisAlone());
  std::printf("  a bare list view's painting of the rows shown, above none: %.1f ms\n", TimeBareListPaint());
  std::printf("  %5zu rows: %8.1f ms (showing and first paint %.1f ms, empty %.1f ms)\n", full.rows, full.milliseconds,
              full.showing, empty.showing);
  std::printf("  bare Win32 calls of the first refresh: %8.1f ms\n", bare);
  std::printf("  excess above the empty start-up plus the bare calls: %.1f ms (goal <= 30 ms)\n",
              full.milliseconds - empty.milliseconds - bare);
  std::printf("  ratio to the empty start-up: %.2fx (goal <= 1.5x)\n", full.milliseconds / empty.milliseconds);
  std::printf("  ratio to the empty start-up plus the bare calls: %.2fx (goal <= 1.15x)\n",
              full.milliseconds / (empty.milliseconds + bare));
}

}  // namespace

int main() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES |
                                                     ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  TimeStartUp();  // warm: classes registered, fonts and controls loaded once
  const StartUp empty = MedianStartUp();
  std::printf("window start-up in the process, median of %d\n", kRounds);
  std::printf("  %5zu rows: %8.1f ms\n", empty.rows, empty.milliseconds);
  MeasureShape(zobl::bench::DescriptorKind::ProgramDirectory, "program directories, a tenth of them there", empty);
  MeasureShape(zobl::bench::DescriptorKind::InstalledDirectory,
               "program directories, every one there, side by side under one parent", empty);
  return 0;
}
