#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "platform/utf16_text.h"

namespace zobl::win32 {

// Conversions between 8-bit text and the wide calls' UTF-16 (when the lossy and when the
// strict form is used: ../utf16_text.h). The program's texts are in its code page, CP_ACP;
// CP_UTF8 is for text that is UTF-8 whatever the code page (the console's, the CSV file's).
// UTF-8, whichever way it is named, is converted by ../utf16_text.h, so that every UTF-8
// text of the program follows one rule; another code page by the system. Both lossy
// conversions reuse the caller's string, so a caller that keeps one allocates only while
// it grows. Bytes that are no text in the code page become U+FFFD.

static_assert(sizeof(wchar_t) == sizeof(char16_t));

inline bool IsUtf8(UINT codePage) { return codePage == CP_UTF8 || (codePage == CP_ACP && GetACP() == CP_UTF8); }

inline void AssignWide(std::wstring& out, std::string_view text, UINT codePage = CP_ACP) {
  out.resize(text.size());  // never more UTF-16 units than 8-bit bytes
  if (IsUtf8(codePage)) {
    out.resize(Utf16FromUtf8LossyInto(text, reinterpret_cast<char16_t*>(out.data())));
    return;
  }
  const int length = text.empty() ? 0
                                  : MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()),
                                                        out.data(), static_cast<int>(out.size()));
  out.resize(static_cast<std::size_t>(length));
}

inline std::wstring Wide(std::string_view text, UINT codePage = CP_ACP) {
  std::wstring out;
  AssignWide(out, text, codePage);
  return out;
}

// Nothing when the bytes are no text in the code page.
inline std::optional<std::wstring> ExactWide(std::string_view text, UINT codePage) {
  if (text.empty()) return std::wstring();
  if (IsUtf8(codePage)) {
    const std::optional<std::u16string> exact = Utf16FromUtf8(text);
    if (!exact) return std::nullopt;
    return std::wstring(exact->begin(), exact->end());
  }
  const int length =
      MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (length <= 0) return std::nullopt;
  std::wstring out(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), out.data(), length);
  return out;
}

// Unpaired surrogates, and characters the code page lacks, become its default character.
inline void AssignUtf8(std::string& out, std::wstring_view text, UINT codePage = CP_ACP) {
  out.resize(text.size() * 3);  // at most three bytes for each UTF-16 unit
  if (IsUtf8(codePage)) {
    out.resize(Utf8FromUtf16LossyInto({reinterpret_cast<const char16_t*>(text.data()), text.size()}, out.data()));
    return;
  }
  const int length = text.empty() ? 0
                                  : WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()),
                                                        out.data(), static_cast<int>(out.size()), nullptr, nullptr);
  out.resize(static_cast<std::size_t>(length));
}

inline std::string Utf8(std::wstring_view text, UINT codePage = CP_ACP) {
  std::string out;
  AssignUtf8(out, text, codePage);
  return out;
}

// The wide calls' text as the portable conversions take it: both are UTF-16 units.
inline std::u16string_view AsUtf16(std::wstring_view text) {
  return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}

// UTF-8 text, whatever the process's code page, and back.
inline std::wstring WideFromUtf8(std::string_view text) { return Wide(text, CP_UTF8); }
inline std::string Utf8FromWide(std::wstring_view text) { return Utf8(text, CP_UTF8); }

}  // namespace zobl::win32
