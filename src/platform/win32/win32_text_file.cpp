#include "platform/win32/win32_text_file.h"

#include <windows.h>

#include "platform/win32/scoped_handles.h"

namespace zobl::win32 {

std::optional<std::string> Win32TextFileReader::ReadWholeFile(const char* name) {
  const ScopedFileHandle file(
      CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsValid()) return std::nullopt;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart > 0x7FFFFFFF) return std::nullopt;
  std::string text(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!text.empty() && !ReadFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &read, nullptr)) {
    return std::nullopt;
  }
  text.resize(read);
  return text;
}

}  // namespace zobl::win32
