// Times one full paint of PieChart against one full repaint of ListViewDescription over
// the same area with 1,000 rows, interleaved in one process: a chart that paints no
// slower than the list keeps a resize drag on the Pie tab as smooth as on the List tab.
// Every row gets a directory of its own and a size, so the pie has its most slices: the
// 15 largest and the lump of all others. Run pinned to one core with its wineserver
// (bench/pie_chart_paint.sh).
//   zobl_pie_chart_paint_bench.exe [--rounds N] [--paints N]
// A round is N paints of the chart then N repaints of the list, after a warm-up of each.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "../mainwindow/bench_descriptors.h"
#include "mainwindow/app_composition.h"
#include "mainwindow/system_services.h"
#include "mainwindow/main_window.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::size_t kExpectedSlices = 16;

// Handles what waits in the queue (page switches, the refresh timer) so that no paint
// pays for what came before it.
void Drain() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// UpdateWindow sends WM_PAINT at once, so the call returns with the paint done.
double TimePaint(HWND window, BOOL erase) {
  Drain();
  const auto start = Clock::now();
  InvalidateRect(window, nullptr, erase);
  UpdateWindow(window);
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Sizes falling off as one over their rank, ranks shuffled over the rows: the largest
// slices are wide enough to read and the lump still holds about half the pie.
std::uint64_t RowBytes(std::size_t i) {
  constexpr std::uint64_t kLargest = std::uint64_t{16} << 30;
  const std::uint64_t rank = i * 7919 % zobl::bench::kDescriptors;
  return kLargest / (rank + 1) + i;  // + i: no two rows alike
}

struct Area {
  int width = 0;
  int height = 0;
};

Area ClientArea(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return {client.right - client.left, client.bottom - client.top};
}

// Empty when the chart is not on screen: a hidden window would time no drawing.
std::vector<double> TimeChart(zobl::MainWindow& mainWindow, HWND chart, int paints) {
  mainWindow.ActivatePage(zobl::WindowPage::Pie);
  Drain();
  std::vector<double> times;
  if (!IsWindowVisible(chart)) return times;
  for (int i = 0; i < paints; ++i) times.push_back(TimePaint(chart, FALSE));
  return times;
}

// The list's client area made the chart's, so that both paint as many pixels: its
// frame and scroll bars come on top. Its scroll bars may come or go with the size, hence
// a second try.
void SizeClientTo(HWND list, Area area) {
  Area outer = area;
  for (int attempt = 0; attempt < 3; ++attempt) {
    SetWindowPos(list, nullptr, 0, 0, outer.width, outer.height, SWP_NOMOVE | SWP_NOZORDER);
    const Area client = ClientArea(list);
    if (client.width == area.width && client.height == area.height) return;
    outer.width += area.width - client.width;
    outer.height += area.height - client.height;
  }
}

// The page switch may lay the list out anew, so it is sized after each switch. Empty
// when the list is not on screen.
std::vector<double> TimeList(zobl::MainWindow& mainWindow, HWND list, Area area, int paints) {
  mainWindow.ActivatePage(zobl::WindowPage::List);
  SizeClientTo(list, area);
  Drain();
  std::vector<double> times;
  if (!IsWindowVisible(list)) return times;
  for (int i = 0; i < paints; ++i) times.push_back(TimePaint(list, TRUE));
  return times;
}

int Bench(int rounds, int paints) {
  const zobl::bench::BenchDescriptors descriptors(zobl::bench::DescriptorKind::Package);

  zobl::SystemServices system;
  zobl::AppComposition app(system);
  zobl::MainWindow mainWindow(system.Window(), app);
  mainWindow.Create(GetModuleHandleA(nullptr));
  mainWindow.Show();
  Drain();

  // Package descriptors all read as the missing directory, which would make one group:
  // a directory of their own makes one per row.
  zobl::InventoryList& inventory = mainWindow.Inventory();
  std::vector<zobl::UninstallEntry> rows;
  while (inventory.Count() > 0) {
    rows.push_back(inventory.RowAt(0));
    inventory.DeleteAt(0);
  }
  std::size_t sized = 0;
  for (zobl::UninstallEntry& row : rows) {
    row.directory = "C:\\Bench\\App" + std::to_string(sized);
    row.size = zobl::SizeState::Measured;
    row.sizeBytes = RowBytes(sized++);
    inventory.Add(std::move(row));
  }
  mainWindow.ActivatePage(zobl::WindowPage::Pie);
  Drain();

  const zobl::PieChartWindow* pieChart = mainWindow.PieChart();
  const HWND list = mainWindow.Control(zobl::kInventoryListView);
  if (pieChart == nullptr || pieChart->Handle() == nullptr || list == nullptr) {
    std::fprintf(stderr, "the window has no chart or no list view\n");
    return 1;
  }
  const HWND chart = pieChart->Handle();
  const Area area = ClientArea(chart);
  std::printf("%zu rows, %zu with a directory and a size; %zu slices; area %d x %d\n", inventory.Count(), sized,
              mainWindow.PieSlices().Count(), area.width, area.height);
  if (sized < static_cast<std::size_t>(zobl::bench::kDescriptors)) {
    std::fprintf(stderr, "fewer rows than descriptors could be given a directory\n");
    return 1;
  }
  if (mainWindow.PieSlices().Count() != kExpectedSlices) {
    std::fprintf(stderr, "the pie has %zu slices, not %zu\n", mainWindow.PieSlices().Count(), kExpectedSlices);
    return 1;
  }
  if (area.width <= 0 || area.height <= 0) {
    std::fprintf(stderr, "the chart has no area to paint\n");
    return 1;
  }

  // Warm-up: fonts, the list's texts and images, the first showing of each page.
  if (TimeChart(mainWindow, chart, paints).empty() || TimeList(mainWindow, list, area, paints).empty()) {
    std::fprintf(stderr, "the chart or the list is not visible on its page\n");
    return 1;
  }
  const Area listArea = ClientArea(list);
  if (listArea.width != area.width || listArea.height != area.height) {
    std::printf("note: the list's client area is %d x %d, the chart's %d x %d\n", listArea.width, listArea.height,
                area.width, area.height);
  }

  std::vector<double> chartTimes;
  std::vector<double> listTimes;
  for (int round = 1; round <= rounds; ++round) {
    const std::vector<double> chartRound = TimeChart(mainWindow, chart, paints);
    if (mainWindow.PieSlices().Count() != kExpectedSlices) {
      std::fprintf(stderr, "the pie lost slices: %zu\n", mainWindow.PieSlices().Count());
      return 1;
    }
    const std::vector<double> listRound = TimeList(mainWindow, list, area, paints);
    if (chartRound.empty() || listRound.empty()) {
      std::fprintf(stderr, "the chart or the list is not visible on its page\n");
      return 1;
    }
    const double chartMedian = Median(chartRound);
    const double listMedian = Median(listRound);
    std::printf("  round %d: chart paint %.3f ms, list repaint %.3f ms  (%.2f)\n", round, chartMedian, listMedian,
                chartMedian / listMedian);
    std::fflush(stdout);
    chartTimes.insert(chartTimes.end(), chartRound.begin(), chartRound.end());
    listTimes.insert(listTimes.end(), listRound.begin(), listRound.end());
  }

  const double chartMedian = Median(chartTimes);
  const double listMedian = Median(listTimes);
  std::printf("median of %zu paints each: chart paint %.3f ms, list repaint %.3f ms\n", chartTimes.size(), chartMedian,
              listMedian);
  std::printf("chart paint / list repaint: %.2f (goal: at most 1)\n", chartMedian / listMedian);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  int rounds = 5;
  int paints = 20;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--rounds") == 0 && i + 1 < argc) {
      rounds = std::atoi(argv[++i]);
    } else if (std::strcmp(argv[i], "--paints") == 0 && i + 1 < argc) {
      paints = std::atoi(argv[++i]);
    } else {
      rounds = 0;
      break;
    }
  }
  if (rounds < 1 || paints < 1) {
    std::fprintf(stderr, "usage: zobl_pie_chart_paint_bench [--rounds N] [--paints N]\n");
    return 2;
  }
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES |
                                                     ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  return Bench(rounds, paints);
}
