#include "platform/win32/win32_registry.h"

#include <windows.h>

#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/utf16_text.h"
#include "platform/win32/registry_roots.h"
#include "platform/win32/scoped_handles.h"
#include "platform/win32/wide_text.h"

namespace zobl::win32 {
namespace {

HKEY ToHkey(Registry::Key key) { return reinterpret_cast<HKEY>(key); }

// Longest key name the registry allows, and its terminating zero.
constexpr DWORD kKeyNameCapacity = 256;

}  // namespace

KeyOpening Win32Registry::OpenKey(RegistrySource source, const char* subKey, Key& key) {
  HKEY opened = nullptr;
  switch (RegOpenKeyExA(Root(source), subKey, 0, KEY_READ | ViewFlag(source), &opened)) {
    case ERROR_SUCCESS: key = reinterpret_cast<Key>(opened); return KeyOpening::Opened;
    // Gone, or never there; a key on the way being absent is the same.
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return KeyOpening::Missing;
    default: return KeyOpening::Failed;
  }
}

// A child opened through its parent's handle stays in the parent's view.
bool Win32Registry::OpenChildKey(Key parent, const char* name, Key& key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(ToHkey(parent), name, 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
  key = reinterpret_cast<Key>(opened);
  return true;
}

void Win32Registry::CloseKey(Key key) { RegCloseKey(ToHkey(key)); }

SubkeyStep Win32Registry::EnumerateSubkey(Key key, std::uint32_t index, SubkeyNameBuffer name) {
  switch (RegEnumKeyA(ToHkey(key), index, name.data(), static_cast<DWORD>(name.size()))) {
    case ERROR_SUCCESS: return SubkeyStep::Name;
    case ERROR_MORE_DATA: return SubkeyStep::TooLong;
    case ERROR_NO_MORE_ITEMS: return SubkeyStep::End;
    default: return SubkeyStep::Failed;
  }
}

EnumerationStep Win32Registry::EnumerateChildName(Key key, std::uint32_t index, std::string& name) {
  std::array<char, kKeyNameCapacity> buffer{};
  DWORD length = kKeyNameCapacity;
  const LSTATUS status = RegEnumKeyExA(ToHkey(key), index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr);
  if (status == ERROR_NO_MORE_ITEMS) return EnumerationStep::End;
  if (status != ERROR_SUCCESS) return EnumerationStep::Failed;
  name.assign(buffer.data(), length);
  return EnumerationStep::Item;
}

// The wide call hands over the bytes as stored: the 8-bit one converts texts, and a
// copy made from those would not always give the same value back.
EnumerationStep Win32Registry::EnumerateValue(Key key, std::uint32_t index, RegistryValue& value) {
  DWORD nameCapacity = 0;  // in characters, without the terminating zero
  DWORD dataCapacity = 0;
  if (RegQueryInfoKeyW(ToHkey(key), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &nameCapacity,
                       &dataCapacity, nullptr, nullptr) != ERROR_SUCCESS) {
    return EnumerationStep::Failed;
  }
  std::wstring name(nameCapacity + 1, L'\0');
  value.bytes.assign(dataCapacity, '\0');
  DWORD nameLength = nameCapacity + 1;
  DWORD type = 0;
  DWORD size = dataCapacity;
  const LSTATUS status = RegEnumValueW(ToHkey(key), index, name.data(), &nameLength, nullptr, &type,
                                       reinterpret_cast<BYTE*>(value.bytes.data()), &size);
  if (status == ERROR_NO_MORE_ITEMS) return EnumerationStep::End;
  if (status != ERROR_SUCCESS) return EnumerationStep::Failed;  // a value changed meanwhile included
  // An unpaired surrogate has no UTF-8 form: rather no copy than a copy of another name.
  std::optional<std::string> exactName = Utf8FromUtf16(AsUtf16(std::wstring_view(name.data(), nameLength)));
  if (!exactName) return EnumerationStep::Failed;
  value.name = std::move(*exactName);
  value.type = type;
  value.bytes.resize(size);
  return EnumerationStep::Item;
}

bool Win32Registry::ReadKeyValue(RegistrySource source,
                                 const char* subKey,
                                 const char* valueName,
                                 RegistryValueBuffer& buffer,
                                 std::uint32_t& type) {
  ScopedKey key;
  if (RegOpenKeyExA(Root(source), subKey, 0, KEY_READ | ViewFlag(source), key.Receive()) != ERROR_SUCCESS) {
    return false;
  }
  DWORD valueType = 0;
  DWORD size = static_cast<DWORD>(buffer.size());
  auto* bytes = reinterpret_cast<BYTE*>(buffer.data());
  if (RegQueryValueExA(key.Get(), valueName, nullptr, &valueType, bytes, &size) != ERROR_SUCCESS) return false;
  type = valueType;
  // The registry adds no terminating zero to data stored without one: the text must
  // end inside the buffer, or the read fails rather than run past it.
  if (size < buffer.size()) {
    buffer[size] = '\0';
    return true;
  }
  return std::memchr(buffer.data(), '\0', buffer.size()) != nullptr;
}

// The deletion needs no open key of ours: the call checks the caller's right to delete.
bool Win32Registry::RemoveKey(RegistrySource source, const char* subKey) {
  return RegDeleteKeyExA(Root(source), subKey, ViewFlag(source), 0) == ERROR_SUCCESS;
}

}  // namespace zobl::win32
