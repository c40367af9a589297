#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace zobl::win32 {

// The path of the open file or directory as the file system reaches it: links,
// junctions, mount points and substituted drives followed, in the extended form
// ("\\?\C:\..."). Nothing when it cannot be had.
inline std::optional<std::wstring> FinalPathOf(HANDLE handle) {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()),
                                                   FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length == 0) return std::nullopt;
    const bool fitted = length < path.size();
    path.resize(length);  // when it did not fit: the size needed, terminating zero included
    if (fitted) return path;
  }
}

// The extended form as an ordinary path: "\\?\C:\x" as "C:\x", "\\?\UNC\s\x" as "\\s\x".
inline std::wstring OrdinaryPath(std::wstring path) {
  if (path.starts_with(L"\\\\?\\UNC\\")) return L"\\" + path.substr(7);
  if (path.starts_with(L"\\\\?\\")) path.erase(0, 4);
  return path;
}

}  // namespace zobl::win32
