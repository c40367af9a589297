#pragma once

#include <windows.h>

#include "platform/shell.h"

namespace zobl::win32 {

// WinExec for commands, ShellExecuteA "open" for addresses, ShellExecuteExW "open" for folders.
class Win32Shell final : public Shell {
 public:
  // The window that owns what the shell shows for an address.
  void SetOwner(HWND owner) { owner_ = owner; }

  unsigned StartCommand(const std::string& commandLine) override;
  void OpenAddress(const std::string& address) override;
  bool OpenFolder(const std::string& path) override;

 private:
  HWND owner_ = nullptr;
};

}  // namespace zobl::win32
