#include "platform/win32/win32_locale.h"

#include <windows.h>

#include <algorithm>
#include <iterator>

#include "platform/win32/wide_text.h"

namespace zobl::win32 {

// lstrcmpA is CompareStringA in the thread's locale; texts of another code page than the
// process's are compared as the same wide texts.
int Win32Locale::CompareText(const char* first, const char* second) const {
  if (codePage_ == CP_ACP) return lstrcmpA(first, second);
  return CompareStringW(GetThreadLocale(), 0, Wide(first, codePage_).c_str(), -1, Wide(second, codePage_).c_str(), -1) -
         CSTR_EQUAL;
}

// lstrcmpA compares in the thread's locale after converting from the process code page;
// the sort key of the same wide text orders as it does (a Windows test checks the two agree).
std::string Win32Locale::SortKey(std::string_view text) const {
  const std::wstring wide = Wide(text, codePage_);
  const auto keyOf = [&wide](std::string& key) {
    return LCMapStringW(GetThreadLocale(), LCMAP_SORTKEY, wide.c_str(), -1, reinterpret_cast<LPWSTR>(key.data()),
                        static_cast<int>(key.size()));
  };
  std::string key(4 * wide.size() + 16, '\0');
  int length = keyOf(key);
  if (length == 0) {  // longer than most: ask for its length
    std::string none;
    key.resize(static_cast<std::size_t>(std::max(keyOf(none), 0)));
    length = keyOf(key);
  }
  key.resize(static_cast<std::size_t>(std::max(length, 0)));
  return key;
}

std::string Win32Locale::LocaleUpperCase(std::string_view text) const {
  std::wstring wide = Wide(text, codePage_);
  CharUpperBuffW(wide.data(), static_cast<DWORD>(wide.size()));
  return Utf8(wide, codePage_);
}

std::optional<std::string> Win32Locale::FormatUtcDate(std::uint64_t fileTime, const char* picture) const {
  FILETIME stamp;
  stamp.dwLowDateTime = static_cast<DWORD>(fileTime);
  stamp.dwHighDateTime = static_cast<DWORD>(fileTime >> 32);
  SYSTEMTIME date;
  // The stamp's own (UTC) calendar date: no conversion to local time.
  if (!FileTimeToSystemTime(&stamp, &date)) return std::nullopt;
  wchar_t text[32];
  // In the Gregorian calendar, the invariant locale's: the system's locale may prefer
  // another (Thai Buddhist, Hijri), whose years would read as other dates.
  const int length =
      GetDateFormatW(LOCALE_INVARIANT, 0, &date, Wide(picture, codePage_).c_str(), text, std::size(text));
  if (length <= 0) return std::nullopt;
  return Utf8(std::wstring_view(text, static_cast<std::size_t>(length - 1)), codePage_);
}

}  // namespace zobl::win32
