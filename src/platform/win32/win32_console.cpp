#include "platform/win32/win32_console.h"

#include <algorithm>
#include <string>

#include "platform/console_text.h"
#include "platform/win32/scoped_handles.h"
#include "platform/win32/wide_text.h"

namespace zobl::win32 {

bool IsConsole(HANDLE handle) {
  DWORD mode = 0;
  return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode);
}

bool WriteStandard(DWORD standardHandle, std::string_view text) {
  const HANDLE handle = GetStdHandle(standardHandle);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return false;
  if (!IsConsole(handle)) return WriteWhole(handle, text);
  if (text.empty()) return true;
  // Registry texts are in what is written: none may act as a control sequence there.
  const std::wstring wide = WideFromUtf8(VisibleOnConsole(text, true));
  // A console takes a limited amount at a time.
  for (std::size_t done = 0; done < wide.size();) {
    DWORD written = 0;
    const auto chunk = static_cast<DWORD>(std::min<std::size_t>(wide.size() - done, 16384));
    if (!WriteConsoleW(handle, wide.data() + done, chunk, &written, nullptr) || written == 0) return false;
    done += written;
  }
  return true;
}

}  // namespace zobl::win32
