#include "bare_complete_reading_win.h"

#include <windows.h>

#include <string>

#include "../inventory/bare_command_analysis_win.h"
#include "platform/registry.h"
#include "platform/win32/registry_roots.h"

namespace {

const wchar_t kUninstall[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

using zobl::RegistrySource;
using zobl::win32::Root;
using zobl::win32::ViewFlag;

struct Descriptor {
  std::wstring name;
  std::wstring command;
};

// Every value, as the complete reading enumerates them; keeps the two the row needs.
bool ReadEveryValue(HKEY key, Descriptor& descriptor) {
  for (DWORD index = 0;; ++index) {
    DWORD nameCapacity = 0;
    DWORD dataCapacity = 0;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &nameCapacity,
                         &dataCapacity, nullptr, nullptr) != ERROR_SUCCESS) {
      return false;
    }
    std::wstring name(nameCapacity + 1, L'\0');
    std::wstring data(dataCapacity / sizeof(wchar_t) + 1, L'\0');
    DWORD nameLength = nameCapacity + 1;
    DWORD type = 0;
    DWORD size = dataCapacity;
    const LSTATUS status = RegEnumValueW(key, index, name.data(), &nameLength, nullptr, &type,
                                         reinterpret_cast<BYTE*>(data.data()), &size);
    if (status == ERROR_NO_MORE_ITEMS) return true;
    if (status != ERROR_SUCCESS) return false;
    name.resize(nameLength);
    data.resize(size / sizeof(wchar_t));
    if (!data.empty() && data.back() == L'\0') data.pop_back();
    if (name == L"DisplayName") descriptor.name = data;
    if (name == L"UninstallString") descriptor.command = data;
  }
}

}  // namespace

int BareCompleteReading() {
  wchar_t windows[MAX_PATH];
  GetWindowsDirectoryW(windows, MAX_PATH);
  BareAskSharedFolders(CP_UTF8);
  BareKnownParents knownParents;
  int count = 0;
  for (const RegistrySource source : zobl::kRegistrySources) {
    HKEY uninstall = nullptr;
    if (RegOpenKeyExW(Root(source), kUninstall, 0, KEY_READ | ViewFlag(source), &uninstall) != ERROR_SUCCESS) continue;
    wchar_t name[256];
    DWORD length = 256;
    for (DWORD index = 0; RegEnumKeyExW(uninstall, index, name, &length, nullptr, nullptr, nullptr, nullptr) ==
                          ERROR_SUCCESS;
         ++index, length = 256) {
      ++count;
      HKEY key = nullptr;
      if (RegOpenKeyExW(uninstall, name, 0, KEY_READ, &key) != ERROR_SUCCESS) continue;
      Descriptor descriptor;
      const bool read = ReadEveryValue(key, descriptor);
      RegCloseKey(key);
      if (!read || descriptor.name.empty()) continue;
      BarePlaceDirectory(descriptor.command, knownParents);
      BareWeighName(descriptor.name);
    }
    RegCloseKey(uninstall);
  }
  return count;
}
