#include "platform/win32/win32_locale.h"

#include <windows.h>

namespace zobl::win32 {

int Win32Locale::CompareText(const char* first, const char* second) const { return lstrcmpA(first, second); }

char Win32Locale::ToUpper(char c) const {
  // CharUpperA takes a single character in the low word of its pointer argument.
  const auto single = reinterpret_cast<ULONG_PTR>(
      CharUpperA(reinterpret_cast<LPSTR>(static_cast<ULONG_PTR>(static_cast<unsigned char>(c)))));
  return static_cast<char>(single & 0xFF);
}

std::optional<std::string> Win32Locale::FormatUtcDate(std::uint64_t fileTime, const char* picture) const {
  FILETIME stamp;
  stamp.dwLowDateTime = static_cast<DWORD>(fileTime);
  stamp.dwHighDateTime = static_cast<DWORD>(fileTime >> 32);
  SYSTEMTIME date;
  // The stamp's own (UTC) calendar date: no conversion to local time.
  if (!FileTimeToSystemTime(&stamp, &date)) return std::nullopt;
  char text[32];
  const int length = GetDateFormatA(LOCALE_SYSTEM_DEFAULT, 0, &date, picture, text, sizeof text);
  if (length <= 0) return std::nullopt;
  return std::string(text, static_cast<std::size_t>(length - 1));
}

}  // namespace zobl::win32
