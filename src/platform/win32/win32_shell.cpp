#include "platform/win32/win32_shell.h"

#include <shellapi.h>

namespace zobl::win32 {

unsigned Win32Shell::StartCommand(const std::string& commandLine) {
  return WinExec(commandLine.c_str(), SW_SHOWNORMAL);
}

void Win32Shell::OpenAddress(const std::string& address) {
  ShellExecuteA(owner_, "open", address.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
}

}  // namespace zobl::win32
