#include "bare_first_refresh_win.h"

#include <windows.h>

#include <cwchar>
#include <string>

#include "../inventory/bare_refresh_calls_win.h"
#include "platform/win32/registry_roots.h"

namespace {

using zobl::RegistrySource;

// A value read as the window reads one: its key opened by its full path for the read.
bool ReadValue(RegistrySource source, const std::wstring& path, const wchar_t* name, std::wstring& text) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(zobl::win32::Root(source), path.c_str(), 0, KEY_READ | zobl::win32::ViewFlag(source), &key) !=
      ERROR_SUCCESS) {
    return false;
  }
  wchar_t data[1024];
  DWORD size = sizeof data;
  DWORD type = 0;
  const bool read = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) == ERROR_SUCCESS;
  RegCloseKey(key);
  if (read) text.assign(data, wcsnlen(data, size / sizeof(wchar_t)));
  return read;
}

}  // namespace

int BareFirstRefresh() {
  BareKnownParents knownParents;
  std::wstring text;
  return BarePass(CP_ACP, [&](RegistrySource source, HKEY, const wchar_t* name) {
    const std::wstring path = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + std::wstring(name);
    if (!ReadValue(source, path, L"DisplayName", text)) return;
    BareWeighName(text);
    const bool placed = ReadValue(source, path, L"UninstallString", text) && BarePlaceDirectory(text, knownParents);
    if (!placed) ReadValue(source, path, L"InstallLocation", text);
    ReadValue(source, path, L"Publisher", text);
    ReadValue(source, path, L"DisplayVersion", text);
  });
}
