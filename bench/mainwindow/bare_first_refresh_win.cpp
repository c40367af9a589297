#include "bare_first_refresh_win.h"

#include <windows.h>

#include <cstdio>
#include <string>

#include "../inventory/bare_command_analysis_win.h"
#include "platform/registry.h"
#include "platform/win32/registry_roots.h"

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

std::wstring Wide(const char* text) {
  wchar_t wide[1024];
  return MultiByteToWideChar(CP_ACP, 0, text, -1, wide, 1024) > 0 ? wide : L"";
}

}  // namespace

int BareFirstRefresh() {
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, MAX_PATH);
  BareAskSharedFolders(CP_ACP);
  BareKnownParents knownParents;
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
      BareWeighName(Wide(text));
      const bool placed =
          ReadValue(source, path, "UninstallString", text, sizeof text) && BarePlaceDirectory(Wide(text), knownParents);
      if (!placed) ReadValue(source, path, "InstallLocation", text, sizeof text);
      ReadValue(source, path, "Publisher", text, sizeof text);
      ReadValue(source, path, "DisplayVersion", text, sizeof text);
    }
    RegCloseKey(uninstall);
  }
  return count;
}
