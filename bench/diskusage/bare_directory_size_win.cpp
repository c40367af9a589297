#include "bare_directory_size_win.h"

#include <windows.h>

#include <cwchar>
#include <string>

namespace {

constexpr std::size_t kLongest = 32767;

// The walk in one buffer of wide characters, as long as the system's longest path.
unsigned long long Measure(wchar_t* path, std::size_t length) {
  if (length + 4 >= kLongest) return 0;
  std::wcscpy(path + length, L"\\*.*");
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW(path, &found);
  path[length] = L'\0';
  if (find == INVALID_HANDLE_VALUE) return 0;
  unsigned long long total = 0;
  do {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    const std::size_t name = std::wcslen(found.cFileName);
    if (length + 1 + name >= kLongest) continue;
    path[length] = L'\\';
    std::wcscpy(path + length + 1, found.cFileName);
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (std::wcscmp(found.cFileName, L".") != 0 && std::wcscmp(found.cFileName, L"..") != 0) {
        total += Measure(path, length + 1 + name);
      }
    } else {
      HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
      if (file != INVALID_HANDLE_VALUE) {
        DWORD high = 0;
        const DWORD low = GetFileSize(file, &high);
        if (low != INVALID_FILE_SIZE || GetLastError() == NO_ERROR) {
          total += static_cast<unsigned long long>(high) << 32 | low;
        }
        CloseHandle(file);
      }
    }
    path[length] = L'\0';
  } while (FindNextFileW(find, &found));
  FindClose(find);
  return total;
}

}  // namespace

unsigned long long BareDirectorySize(const char* path) {
  std::wstring buffer(kLongest + 1, L'\0');
  std::wcscpy(buffer.data(), L"\\\\?\\");
  const int converted = MultiByteToWideChar(CP_ACP, 0, path, -1, buffer.data() + 4, static_cast<int>(kLongest - 4));
  if (converted <= 0) return 0;
  return Measure(buffer.data(), 4 + static_cast<std::size_t>(converted) - 1);
}
