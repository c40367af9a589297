#include "platform/win32/win32_registry.h"

#include <windows.h>

#include <cstring>

#include "platform/win32/scoped_handles.h"

namespace zobl::win32 {
namespace {

REGSAM FullAccess(RegistryView view) {
  return view == RegistryView::Wow32 ? (KEY_ALL_ACCESS | KEY_WOW64_32KEY) : KEY_ALL_ACCESS;
}

HKEY ToHkey(Registry::Key key) { return reinterpret_cast<HKEY>(key); }

}  // namespace

bool Win32Registry::OpenKey(const char* subKey, Key& key, RegistryView view) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, subKey, 0, FullAccess(view), &opened) != ERROR_SUCCESS) return false;
  key = reinterpret_cast<Key>(opened);
  return true;
}

void Win32Registry::CloseKey(Key key) { RegCloseKey(ToHkey(key)); }

bool Win32Registry::EnumerateSubkey(Key key, std::uint32_t index, SubkeyNameBuffer name) {
  return RegEnumKeyA(ToHkey(key), index, name.data(), static_cast<DWORD>(name.size())) == ERROR_SUCCESS;
}

bool Win32Registry::ReadKeyValue(const char* subKey,
                                 const char* valueName,
                                 RegistryValueBuffer& buffer,
                                 RegistryView view) {
  ScopedKey key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, subKey, 0, FullAccess(view), key.Receive()) != ERROR_SUCCESS) return false;
  DWORD type = 0;
  DWORD size = static_cast<DWORD>(buffer.size());
  auto* bytes = reinterpret_cast<BYTE*>(buffer.data());
  if (RegQueryValueExA(key.Get(), valueName, nullptr, &type, bytes, &size) != ERROR_SUCCESS) return false;
  // The registry adds no terminating zero to data stored without one: the text must
  // end inside the buffer, or the read fails rather than run past it.
  if (size < buffer.size()) {
    buffer[size] = '\0';
    return true;
  }
  return std::memchr(buffer.data(), '\0', buffer.size()) != nullptr;
}

bool Win32Registry::RemoveKey(const char* subKey, RegistryView view) {
  if (view == RegistryView::Native) return RegDeleteKeyA(HKEY_LOCAL_MACHINE, subKey) == ERROR_SUCCESS;
  return RegDeleteKeyExA(HKEY_LOCAL_MACHINE, subKey, KEY_WOW64_32KEY, 0) == ERROR_SUCCESS;
}

}  // namespace zobl::win32
