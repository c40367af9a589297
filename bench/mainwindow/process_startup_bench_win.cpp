// Times the real program's start-up as its user waits for it: from starting zobl.exe
// until its window is up with the list filled and it waits for input; with no
// descriptors, then with 1,000, in one run. Run pinned to one core with its wineserver
// (bench/startup.sh).
//   zobl_process_startup_bench PATH\TO\zobl.exe
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "bench_descriptors.h"
#include "mainwindow/main_window.h"
#include "platform/win32/scoped_handles.h"
#include "program_windows.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRounds = 7;

struct StartUp {
  double milliseconds;
  long rows;
};

StartUp TimeOneStart(const std::string& program) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  std::string commandLine = "\"" + program + "\"";
  const auto start = Clock::now();
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
    std::fprintf(stderr, "cannot start %s\n", program.c_str());
    std::exit(1);
  }
  const zobl::win32::ScopedKernelHandle thread(started.hThread);
  const zobl::win32::ScopedKernelHandle process(started.hProcess);
  // The list is filled before the window opens; the program is idle once it waits for input.
  WaitForInputIdle(process.Get(), 30000);
  const auto ready = Clock::now();
  const HWND window = zobl::testing::VisibleWindowOf(started.dwProcessId, zobl::kMainWindowClass);
  const long rows = window ? static_cast<long>(SendMessageA(zobl::testing::FirstChildOfClass(window, WC_LISTVIEWA),
                                                            LVM_GETITEMCOUNT, 0, 0))
                           : -1;
  if (window) PostMessageA(window, WM_CLOSE, 0, 0);
  WaitForSingleObject(process.Get(), 30000);
  return {std::chrono::duration<double, std::milli>(ready - start).count(), rows};
}

StartUp MedianStart(const std::string& program) {
  std::vector<StartUp> runs;
  for (int i = 0; i < kRounds; ++i) runs.push_back(TimeOneStart(program));
  std::sort(runs.begin(), runs.end(), [](const auto& a, const auto& b) { return a.milliseconds < b.milliseconds; });
  return runs[runs.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: zobl_process_startup_bench PATH\\TO\\zobl.exe\n");
    return 2;
  }
  const std::string program = argv[1];
  TimeOneStart(program);  // warm the file cache and the server
  const StartUp empty = MedianStart(program);
  std::printf("program start-up to a filled list, median of %d\n", kRounds);
  std::printf("  %-40s %5ld rows: %8.1f ms\n", "no descriptors", empty.rows, empty.milliseconds);
  using zobl::bench::DescriptorKind;
  for (const auto& [kind, title] : {std::pair{DescriptorKind::Package, "installer packages"},
                                    std::pair{DescriptorKind::ProgramDirectory, "program directories, a tenth there"},
                                    std::pair{DescriptorKind::InstalledDirectory, "program directories, all there"}}) {
    const zobl::bench::BenchDescriptors descriptors(kind);
    const StartUp full = MedianStart(program);
    std::printf("  %-40s %5ld rows: %8.1f ms  ratio %.2fx (goal <= 1.3x)\n", title, full.rows, full.milliseconds,
                full.milliseconds / empty.milliseconds);
  }
  return 0;
}
