#pragma once

#include <windows.h>

#include "platform/shell.h"

namespace zobl::win32 {

// CreateProcessW for programs, ShellExecuteA "open" for addresses, ShellExecuteExW with an
// item ID list for folders; the desktop's shell (the explorer's IShellDispatch2) for
// programs that must run with the user's ordinary rights.
class Win32Shell final : public Shell {
 public:
  // The window that owns what the shell shows for an address.
  void SetOwner(HWND owner) { owner_ = owner; }

  std::uint32_t StartProgram(const ProgramStart& start) override;
  bool RunsElevated() override;
  bool StartProgramAsUser(const ProgramStart& start) override;
  void OpenAddress(const std::string& address) override;
  bool OpenFolder(const std::string& path) override;

 private:
  HWND owner_ = nullptr;
};

}  // namespace zobl::win32
