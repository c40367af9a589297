// Reads what the running program holds once its start-up is over: finds the window of
// zobl.exe, waits until the program waits for input (the list is filled before the
// window opens) and prints, on one line, the rows in its list and the process's memory
// counters as the system reports them to another process. bench/memory.sh starts the
// program and runs this beside it.
//   zobl_memory_bench
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <cstdio>

#include "mainwindow/main_window.h"
#include "platform/win32/scoped_handles.h"
#include "program_windows.h"

namespace {

constexpr DWORD kWaitMilliseconds = 120000;
constexpr DWORD kPollMilliseconds = 20;

// The window is made, and found, before its start-up has filled the list; it is shown after.
HWND VisibleMainWindow() {
  for (DWORD waited = 0; waited < kWaitMilliseconds; waited += kPollMilliseconds) {
    const HWND window = FindWindowA(zobl::kMainWindowClass, zobl::kMainWindowCaption);
    if (window != nullptr && IsWindowVisible(window)) return window;
    Sleep(kPollMilliseconds);
  }
  return nullptr;
}

}  // namespace

int main() {
  const HWND window = VisibleMainWindow();
  if (window == nullptr) {
    std::fprintf(stderr, "no window of the program appeared\n");
    return 1;
  }
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  const zobl::win32::ScopedKernelHandle process(
      OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | SYNCHRONIZE, FALSE, processId));
  if (!process.IsValid()) {
    std::fprintf(stderr, "cannot open the program's process\n");
    return 1;
  }
  if (WaitForInputIdle(process.Get(), kWaitMilliseconds) != 0) {
    std::fprintf(stderr, "the program did not come to wait for input\n");
    return 1;
  }
  DWORD_PTR rows = 0;
  if (SendMessageTimeoutA(zobl::testing::FirstChildOfClass(window, WC_LISTVIEWA), LVM_GETITEMCOUNT, 0, 0,
                          SMTO_ABORTIFHUNG, kWaitMilliseconds, &rows) == 0) {
    std::fprintf(stderr, "the list did not answer\n");
    return 1;
  }
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(process.Get(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters)) {
    std::fprintf(stderr, "no memory counters: error %lu\n", GetLastError());
    return 1;
  }
  std::printf("rows %llu private %llu peak_pagefile %llu pagefile %llu peak_working_set %llu working_set %llu\n",
              static_cast<unsigned long long>(rows), static_cast<unsigned long long>(counters.PrivateUsage),
              static_cast<unsigned long long>(counters.PeakPagefileUsage),
              static_cast<unsigned long long>(counters.PagefileUsage),
              static_cast<unsigned long long>(counters.PeakWorkingSetSize),
              static_cast<unsigned long long>(counters.WorkingSetSize));
  return 0;
}
