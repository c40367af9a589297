#include "platform/win32/win32_command_line.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "platform/console_text.h"
#include "platform/win32/scoped_handles.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_console.h"

namespace zobl::win32 {

// Read as wide text and kept as UTF-8, whatever the process's code page: a file named in
// any script is the file named.
std::vector<std::string> ProgramArguments() {
  int count = 0;
  const ScopedHandle<LocalMemoryTraits<LPWSTR*>> arguments(CommandLineToArgvW(GetCommandLineW(), &count));
  std::vector<std::string> utf8;
  for (int i = 1; arguments.IsValid() && i < count; ++i) utf8.push_back(Utf8FromWide(arguments.Get()[i]));
  return utf8;
}

void TellConsole(std::string_view line) {
  const std::string text = std::string(line) + "\r\n";
  if (WriteStandard(STD_ERROR_HANDLE, text)) return;
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
  const ScopedFileHandle console(
      CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!console.IsValid()) return;
  // The console shows UTF-16; its own code page may be any.
  const std::wstring wide = WideFromUtf8(VisibleOnConsole(text, true));
  DWORD written = 0;
  WriteConsoleW(console.Get(), wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
}

}  // namespace zobl::win32
