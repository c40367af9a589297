#pragma once

#include <windows.h>

#include <string>

#include "platform/shell.h"
#include "platform/win32/wide_text.h"

namespace zobl::win32 {

// Makes the program's process, shown normally, through `create` (CreateProcessW, or the
// same with another's token), given the application's name, the command line, the start
// details and what receives the new process. The program goes by its full path as the
// application's name: the system then starts that file and no other, where a bare command
// line would let it try shorter paths first. False when it was not made (GetLastError).
template <typename Create>
bool CreateProgramProcess(const ProgramStart& start, PROCESS_INFORMATION& started, Create&& create) {
  const std::wstring program = Wide(start.program);
  std::wstring line = Wide(start.CommandLine());  // the call may write into it
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  return create(start.lookedUpBySystem ? nullptr : program.c_str(), line.data(), startup, started);
}

}  // namespace zobl::win32
