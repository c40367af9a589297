#include "bare_first_refresh_win.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "platform/registry.h"
#include "platform/win32/registry_roots.h"
#include "platform/win32/win32_file_system.h"

namespace {

const char kUninstall[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

using zobl::RegistrySource;
using zobl::win32::Root;
using zobl::win32::ViewFlag;

bool ReadValue(RegistrySource source, const char* path, const char* name, char* text, DWORD capacity) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(Root(source), path, 0, KEY_READ | ViewFlag(source), &key) != ERROR_SUCCESS) return false;
  DWORD type = 0;
  const bool read =
      RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &capacity) == ERROR_SUCCESS;
  RegCloseKey(key);
  return read;
}

bool IsDirectory(const char* path) {
  const DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool FindOne(const char* path, WIN32_FIND_DATAA& found) {
  const HANDLE find = FindFirstFileA(path, &found);
  if (find == INVALID_HANDLE_VALUE) return false;
  FindClose(find);
  return true;
}

void FindOne(const char* path) {
  WIN32_FIND_DATAA found;
  FindOne(path, found);
}

// The file-system questions for `"X:\dir\program.exe" arguments`; true when a directory is placed.
bool PlaceDirectory(const char* command) {
  const char* open = std::strchr(command, '"');
  const char* close = open != nullptr ? std::strchr(open + 1, '"') : nullptr;
  const char* slash = close != nullptr ? static_cast<const char*>(std::memchr(open, '\\', close - open)) : nullptr;
  if (slash == nullptr) return false;
  char program[MAX_PATH] = {};
  std::memcpy(program, open + 1, static_cast<std::size_t>(close - open - 1));
  char* last = std::strrchr(program, '\\');
  char directory[MAX_PATH] = {};
  std::memcpy(directory, program, static_cast<std::size_t>(last - program + 1));
  if (!IsDirectory(directory)) return false;
  IsDirectory(program);
  FindOne(program);
  directory[last - program] = '\0';
  if (!IsDirectory(directory)) return false;
  // Each component's long name, from the directory up to its drive.
  char climb[MAX_PATH];
  std::strcpy(climb, directory);
  while (std::strlen(climb) > 2) {
    FindOne(climb);
    char full[MAX_PATH];
    char* name = nullptr;
    GetFullPathNameA(climb, MAX_PATH, full, &name);
    *std::strrchr(climb, '\\') = '\0';
  }
  // Its date, formatted.
  WIN32_FIND_DATAA found;
  SYSTEMTIME date;
  char text[32];
  if (FindOne(directory, found) && FileTimeToSystemTime(&found.ftCreationTime, &date)) {
    GetDateFormatA(LOCALE_SYSTEM_DEFAULT, 0, &date, "yyyy'.'MM'.'dd", text, sizeof text);
  }
  return true;
}

// The locale's weighing of a name for the Name order, once per row.
void WeighName(const char* name) {
  wchar_t wide[1024];
  char key[4096];
  if (MultiByteToWideChar(CP_ACP, 0, name, -1, wide, 1024) > 0) {
    LCMapStringW(GetThreadLocale(), LCMAP_SORTKEY, wide, -1, reinterpret_cast<LPWSTR>(key), sizeof key);
  }
}

}  // namespace

int BareFirstRefresh() {
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, MAX_PATH);
  // The shared folders are asked through the program's own list of them, the one piece
  // of the program here: its known-folder questions are what cost, not their texts.
  static_cast<void>(zobl::win32::Win32FileSystem().SharedFolders());
  int count = 0;
  for (const RegistrySource source : zobl::kRegistrySources) {
    HKEY uninstall = nullptr;
    if (RegOpenKeyExA(Root(source), kUninstall, 0, KEY_READ | ViewFlag(source), &uninstall) != ERROR_SUCCESS) continue;
    char path[512];
    const int prefix = std::snprintf(path, sizeof path, "%s\\", kUninstall);
    for (DWORD index = 0; RegEnumKeyA(uninstall, index, path + prefix, 204) == ERROR_SUCCESS; ++index) {
      ++count;
      char text[1024];
      if (!ReadValue(source, path, "DisplayName", text, sizeof text)) continue;
      WeighName(text);
      const bool placed = ReadValue(source, path, "UninstallString", text, sizeof text) && PlaceDirectory(text);
      if (!placed) ReadValue(source, path, "InstallLocation", text, sizeof text);
    }
    RegCloseKey(uninstall);
  }
  return count;
}
