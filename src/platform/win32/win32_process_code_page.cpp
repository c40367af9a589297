#include "platform/win32/win32_process_code_page.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace zobl::win32 {

// Through UTF-16, which every code page converts to. Texts the program has from the
// system are whole characters of its code page; other bytes become U+FFFD.
std::string Win32ProcessCodePage::ToUtf8(std::string_view text) const {
  if (GetACP() == CP_UTF8) return std::string(text);
  const std::wstring wide = Wide(text);
  if (wide.empty()) return std::string();
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr,
                                         nullptr);
  std::string utf8(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), length, nullptr, nullptr);
  return utf8;
}

}  // namespace zobl::win32
