#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace zobl::win32 {

// The program's texts are in its code page: UTF-8, which its manifest asks for (Windows
// before 10 version 1903 keeps the system's ANSI code page). The wide calls take UTF-16.
// Both conversions reuse the caller's string, so a caller that keeps one allocates only
// while it grows. Bytes that are no text in the code page become U+FFFD.
inline void AssignWide(std::wstring& out, std::string_view text) {
  out.resize(text.size());  // never more UTF-16 units than UTF-8 bytes
  const int length = text.empty() ? 0
                                  : MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                                        out.data(), static_cast<int>(out.size()));
  out.resize(static_cast<std::size_t>(length));
}

inline std::wstring Wide(std::string_view text) {
  std::wstring out;
  AssignWide(out, text);
  return out;
}

// Unpaired surrogates, and characters the code page lacks, become its default character.
inline void AssignUtf8(std::string& out, std::wstring_view text) {
  out.resize(text.size() * 3);  // at most three bytes for each UTF-16 unit
  const int length = text.empty() ? 0
                                  : WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                                        out.data(), static_cast<int>(out.size()), nullptr, nullptr);
  out.resize(static_cast<std::size_t>(length));
}

inline std::string Utf8(std::wstring_view text) {
  std::string out;
  AssignUtf8(out, text);
  return out;
}

}  // namespace zobl::win32
