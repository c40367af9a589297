#include "platform/win32/win32_shell.h"

#include <shellapi.h>

#include "platform/win32/scoped_handles.h"
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
// An elevated window must never start a program put where the folder was: the path is
// held open from the check until the shell has taken it (without sharing deletion, so it
// cannot be renamed, removed or replaced meanwhile), and it is handed over with the
// folders' own verb, "explore", which Windows registers for folders and drives alone (a
// program has no such verb, where "open" would run it).
bool Win32Shell::OpenFolder(const std::string& path) {
  const std::wstring folder = Wide(path);
  const ScopedFileHandle held(CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                          nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION information{};
  if (!held.IsValid() || !GetFileInformationByHandle(held.Get(), &information) ||
      (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    return false;
  }
  SHELLEXECUTEINFOW open{};
  open.cbSize = sizeof open;
  // Waits until the shell has the folder, before the handle lets it go.
  open.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
  open.hwnd = owner_;
  open.lpVerb = L"explore";
  open.lpFile = folder.c_str();
  open.nShow = SW_SHOWNORMAL;
  return ShellExecuteExW(&open) != 0;
}

}  // namespace zobl::win32
