#include "platform/win32/win32_shell.h"

#include <shellapi.h>

#include "platform/win32/wide_text.h"

namespace zobl::win32 {

unsigned Win32Shell::StartCommand(const std::string& commandLine) {
  return WinExec(commandLine.c_str(), SW_SHOWNORMAL);
}

void Win32Shell::OpenAddress(const std::string& address) {
  ShellExecuteA(owner_, "open", address.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
}

// The wide call takes a folder of any script: the shell's 8-bit calls follow the system's
// code page, not the program's. The program tells a failure itself, once.
bool Win32Shell::OpenFolder(const std::string& path) {
  const std::wstring folder = Wide(path);
  SHELLEXECUTEINFOW open{};
  open.cbSize = sizeof open;
  open.fMask = SEE_MASK_FLAG_NO_UI;
  open.hwnd = owner_;
  open.lpVerb = L"open";
  open.lpFile = folder.c_str();
  open.nShow = SW_SHOWNORMAL;
  return ShellExecuteExW(&open) != 0;
}

}  // namespace zobl::win32
