#pragma once

#include <windows.h>

#include <string_view>

namespace zobl::win32 {

// Whether the handle is a console window's, which shows UTF-16 text in any script,
// rather than a file or a pipe, which take bytes.
bool IsConsole(HANDLE handle);

// Writes UTF-8 text to the standard handle (STD_OUTPUT_HANDLE, STD_ERROR_HANDLE): to a
// console as UTF-16, whatever the console's code page, control characters but line breaks
// shown as U+FFFD; to a file or a pipe as the exact UTF-8 bytes. False when it could not be written whole (a closed pipe, a full disk).
bool WriteStandard(DWORD standardHandle, std::string_view text);

}  // namespace zobl::win32
