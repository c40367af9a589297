#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "platform/win32/scoped_handles.h"
#include "platform/win32/wide_text.h"

namespace zobl::win32 {

// The system's own text for an error number, without its trailing line break, in
// `codePage`; "system error N" when the system has none.
inline std::string SystemErrorText(DWORD error, UINT codePage = CP_ACP) {
  wchar_t* text = nullptr;
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  const ScopedHandle<LocalMemoryTraits<wchar_t*>> owned(text);
  std::wstring_view message(text != nullptr ? text : L"", length);
  while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' ')) {
    message.remove_suffix(1);
  }
  if (message.empty()) return "system error " + std::to_string(error);
  return Utf8(message, codePage);
}

}  // namespace zobl::win32
