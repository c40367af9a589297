#include "bare_complete_reading_win.h"

#include <windows.h>

#include <string>
#include <string_view>

#include "../inventory/bare_refresh_calls_win.h"

namespace {

struct Descriptor {
  std::wstring name;
  std::wstring command;
};

// Every value, as the complete reading enumerates them: one call each, into buffers kept
// from value to value; keeps the two the row needs.
bool ReadEveryValue(HKEY key, Descriptor& descriptor) {
  static std::wstring name(16384, L'\0');
  static std::wstring data(2048, L'\0');
  for (DWORD index = 0;; ++index) {
    DWORD nameLength = static_cast<DWORD>(name.size());
    DWORD type = 0;
    auto size = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    const LSTATUS status = RegEnumValueW(key, index, name.data(), &nameLength, nullptr, &type,
                                         reinterpret_cast<BYTE*>(data.data()), &size);
    if (status == ERROR_MORE_DATA) {
      data.resize(size / sizeof(wchar_t) + 1);
      --index;
      continue;
    }
    if (status == ERROR_NO_MORE_ITEMS) return true;
    if (status != ERROR_SUCCESS) return false;
    const std::wstring_view valueName(name.data(), nameLength);
    std::wstring_view text(data.data(), size / sizeof(wchar_t));
    if (!text.empty() && text.back() == L'\0') text.remove_suffix(1);
    if (valueName == L"DisplayName") descriptor.name = text;
    if (valueName == L"UninstallString") descriptor.command = text;
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
