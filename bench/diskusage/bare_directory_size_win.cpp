#include "bare_directory_size_win.h"

#include <windows.h>

#include <cstring>

unsigned long long BareDirectorySize(const char* path) {
  char pattern[MAX_PATH];
  if (std::strlen(path) + 4 >= MAX_PATH) return 0;
  std::strcpy(pattern, path);
  std::strcat(pattern, "\\*.*");
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA(pattern, &found);
  if (find == INVALID_HANDLE_VALUE) return 0;
  unsigned long long total = 0;
  do {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    char child[MAX_PATH];
    if (std::strlen(path) + 1 + std::strlen(found.cFileName) >= MAX_PATH) continue;
    std::strcpy(child, path);
    std::strcat(child, "\\");
    std::strcat(child, found.cFileName);
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (std::strcmp(found.cFileName, ".") != 0 && std::strcmp(found.cFileName, "..") != 0) {
        total += BareDirectorySize(child);
      }
    } else {
      HANDLE file = CreateFileA(child, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
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
  } while (FindNextFileA(find, &found));
  FindClose(find);
  return total;
}
