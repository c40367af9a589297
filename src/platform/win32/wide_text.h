#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace zobl::win32 {

// The system's conversions between 8-bit text and the wide calls' UTF-16 (when the lossy
// and when the strict form is used: ../utf16_text.h). The program's texts are in its code
// page, CP_ACP; CP_UTF8 is for text that is UTF-8 whatever the code page (the console's,
// the CSV file's). Both lossy conversions reuse the caller's string, so a caller that keeps
// one allocates only while it grows. Bytes that are no text in the code page become U+FFFD.
inline void AssignWide(std::wstring& out, std::string_view text, UINT codePage = CP_ACP) {
  out.resize(text.size());  // never more UTF-16 units than 8-bit bytes
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
  static_assert(sizeof(wchar_t) == sizeof(char16_t));
  return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}

}  // namespace zobl::win32
