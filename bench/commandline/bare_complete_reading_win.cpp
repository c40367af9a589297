#include "bare_complete_reading_win.h"

#include <windows.h>

#include <string>

#include "../inventory/bare_refresh_calls_win.h"

namespace {

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
  BareKnownParents knownParents;
  return BarePass(CP_UTF8, [&knownParents](zobl::RegistrySource, HKEY uninstall, const wchar_t* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(uninstall, name, 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    Descriptor descriptor;
    const bool read = ReadEveryValue(key, descriptor);
    RegCloseKey(key);
    if (!read || descriptor.name.empty()) return;
    BarePlaceDirectory(descriptor.command, knownParents);
    BareWeighName(descriptor.name);
  });
}
