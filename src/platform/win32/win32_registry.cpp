#include "platform/win32/win32_registry.h"

#include <array>
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

// Every text that fits a value buffer once converted fits this many bytes of UTF-16: at
// most one unit for each of its bytes, the terminator's two included.
constexpr DWORD kWideValueCapacity = 2 * kRegistryValueCapacity;

}  // namespace

bool Win32Registry::Succeeded(LSTATUS status) {
  if (status == ERROR_SUCCESS) return true;
  lastFailure_ = static_cast<std::uint32_t>(status);
  return false;
}

KeyOpening Win32Registry::OpenKey(RegistrySource source, const char* subKey, Key& key) {
  HKEY opened = nullptr;
  AssignWide(wide_, subKey, codePage_);
  const LSTATUS status = RegOpenKeyExW(Root(source), wide_.c_str(), 0, KEY_READ | ViewFlag(source), &opened);
  if (Succeeded(status)) {
    key = reinterpret_cast<Key>(opened);
    return KeyOpening::Opened;
  }
  // Gone, or never there; a key on the way being absent is the same.
  return status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND ? KeyOpening::Missing : KeyOpening::Failed;
}

// A child opened through its parent's handle stays in the parent's view.
bool Win32Registry::OpenChildKey(Key parent, const char* name, Key& key) {
  HKEY opened = nullptr;
  AssignWide(wide_, name, codePage_);
  if (!Succeeded(RegOpenKeyExW(ToHkey(parent), wide_.c_str(), 0, KEY_READ, &opened))) return false;
  key = reinterpret_cast<Key>(opened);
  return true;
}

void Win32Registry::CloseKey(Key key) { RegCloseKey(ToHkey(key)); }

LSTATUS Win32Registry::SubkeyName(Key key, std::uint32_t index, std::wstring& name) {
  name.resize(kKeyNameCapacity);
  DWORD length = kKeyNameCapacity;
  const LSTATUS status = RegEnumKeyExW(ToHkey(key), index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
  name.resize(status == ERROR_SUCCESS ? length : 0);
  return status;
}

// The name as the 8-bit call would give it: converted, and too long when it does not fit
// the buffer with its terminating zero.
SubkeyStep Win32Registry::EnumerateSubkey(Key key, std::uint32_t index, SubkeyNameBuffer name) {
  const LSTATUS status = SubkeyName(key, index, wide_);
  if (status == ERROR_NO_MORE_ITEMS) return SubkeyStep::End;
  if (!Succeeded(status)) return SubkeyStep::Failed;
  const std::string converted = Utf8(wide_, codePage_);
  if (converted.size() + 1 > name.size()) return SubkeyStep::TooLong;
  std::memcpy(name.data(), converted.c_str(), converted.size() + 1);
  return SubkeyStep::Name;
}

EnumerationStep Win32Registry::EnumerateChildName(Key key, std::uint32_t index, std::string& name) {
  const LSTATUS status = SubkeyName(key, index, wide_);
  if (status == ERROR_NO_MORE_ITEMS) return EnumerationStep::End;
  if (!Succeeded(status)) return EnumerationStep::Failed;
  AssignUtf8(name, wide_, codePage_);
  return EnumerationStep::Item;
}

// The bytes as stored: a copy made from converted texts would not always give the same
// value back.
EnumerationStep Win32Registry::EnumerateValue(Key key, std::uint32_t index, RegistryValue& value) {
  DWORD nameCapacity = 0;  // in characters, without the terminating zero
  DWORD dataCapacity = 0;
  if (!Succeeded(RegQueryInfoKeyW(ToHkey(key), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                  &nameCapacity, &dataCapacity, nullptr, nullptr))) {
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
  if (!Succeeded(status)) return EnumerationStep::Failed;  // a value changed meanwhile included
  // An unpaired surrogate has no UTF-8 form: rather no copy than a copy of another name.
  std::optional<std::string> exactName = Utf8FromUtf16(AsUtf16(std::wstring_view(name.data(), nameLength)));
  if (!exactName) {
    lastFailure_ = ERROR_NO_UNICODE_TRANSLATION;
    return EnumerationStep::Failed;
  }
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
  AssignWide(wide_, subKey, codePage_);
  return Succeeded(RegOpenKeyExW(Root(source), wide_.c_str(), 0, KEY_READ | ViewFlag(source), key.Receive())) &&
         ReadValue(reinterpret_cast<Key>(key.Get()), valueName, buffer, type);
}

// What the 8-bit call would read into the buffer: texts converted, their stored zeros
// included; a value that does not fit, or a text that would not end inside the buffer,
// is a failed read.
bool Win32Registry::ReadValue(Key key, const char* valueName, RegistryValueBuffer& buffer, std::uint32_t& type) {
  AssignWide(wide_, valueName, codePage_);
  std::array<BYTE, kWideValueCapacity> stored;
  DWORD valueType = 0;
  DWORD size = stored.size();
  if (!Succeeded(RegQueryValueExW(ToHkey(key), wide_.c_str(), nullptr, &valueType, stored.data(), &size))) return false;
  const auto* bytes = reinterpret_cast<const char*>(stored.data());
  std::string converted;
  if (IsTextType(valueType)) {
    AssignUtf8(converted, std::wstring_view(reinterpret_cast<const wchar_t*>(bytes), size / sizeof(wchar_t)), codePage_);
  } else {
    converted.assign(bytes, size);
  }
  if (converted.size() > buffer.size()) return false;
  type = valueType;
  std::memcpy(buffer.data(), converted.data(), converted.size());
  // The registry adds no terminating zero to data stored without one: the text must
  // end inside the buffer, or the read fails rather than run past it.
  if (converted.size() < buffer.size()) {
    buffer[converted.size()] = '\0';
    return true;
  }
  return std::memchr(buffer.data(), '\0', buffer.size()) != nullptr;
}

// The deletion needs no open key of ours: the call checks the caller's right to delete.
bool Win32Registry::RemoveKey(RegistrySource source, const char* subKey) {
  AssignWide(wide_, subKey, codePage_);
  return Succeeded(RegDeleteKeyExW(Root(source), wide_.c_str(), ViewFlag(source), 0));
}

std::string Win32Registry::FailureText(std::uint32_t error) const {
  wchar_t* text = nullptr;
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  const ScopedHandle<LocalMemoryTraits<wchar_t*>> owned(text);
  std::wstring_view message(text != nullptr ? text : L"", length);
  while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' ')) {
    message.remove_suffix(1);
  }
  if (message.empty()) return "system error " + std::to_string(error);
  return Utf8(message, codePage_);
}

}  // namespace zobl::win32
