#include "child_process.h"

#include <windows.h>

#include "platform/win32/scoped_handles.h"

namespace zobl::testing {

int RunToEnd(std::string commandLine) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
    return -1;
  }
  const win32::ScopedKernelHandle process(started.hProcess);
  const win32::ScopedKernelHandle thread(started.hThread);
  DWORD exitCode = 1;
  if (WaitForSingleObject(process.Get(), 30000) != WAIT_OBJECT_0 || !GetExitCodeProcess(process.Get(), &exitCode)) {
    return -1;
  }
  return static_cast<int>(exitCode);
}

}  // namespace zobl::testing
