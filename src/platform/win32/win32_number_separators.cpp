#include "platform/win32/win32_number_separators.h"

#include <windows.h>

#include <string>

namespace zobl::win32 {
namespace {

// The setting's text, or `fallback` when the call fails. Windows allows at most four
// characters here, but the buffer does not count on it.
std::string UserLocaleText(LCTYPE type, const char* fallback) {
  char text[16];
  const int length = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, text, sizeof text);
  if (length <= 0) return fallback;
  return std::string(text, static_cast<std::size_t>(length - 1));
}

}  // namespace

NumberSeparators UserNumberSeparators() {
  return {UserLocaleText(LOCALE_STHOUSAND, ","), UserLocaleText(LOCALE_SDECIMAL, ".")};
}

}  // namespace zobl::win32
