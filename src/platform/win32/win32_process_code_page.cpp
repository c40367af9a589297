#include "platform/win32/win32_process_code_page.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace zobl::win32 {

// Through UTF-16, which every code page converts to. Texts the program has from the
// system are whole characters of its code page; other bytes become U+FFFD.
std::string Win32ProcessCodePage::ToUtf8(std::string_view text) const {
  if (GetACP() == CP_UTF8) return std::string(text);
  return Utf8FromWide(Wide(text));
}

}  // namespace zobl::win32
