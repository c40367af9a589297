#include "platform/win32/win32_registry.h"

#include <array>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/utf16_text.h"
#include "platform/win32/counted_key_names.h"
#include "platform/win32/registry_roots.h"
#include "platform/win32/scoped_handles.h"
#include "platform/win32/system_error_text.h"
#include "platform/win32/wide_text.h"

namespace zobl::win32 {
namespace {

HKEY ToHkey(Registry::Key key) { return reinterpret_cast<HKEY>(key); }

// Longest key name the registry allows, and its terminating zero.
constexpr DWORD kKeyNameCapacity = 256;

// Longest value name the registry allows, and its terminating zero.
constexpr DWORD kValueNameCapacity = 16384;

// Enough for most values: a larger one grows the buffer, once.
constexpr std::size_t kFirstValueCapacity = 4096;

// Every text that fits a value buffer once converted fits this many bytes of UTF-16: at
// most one unit for each of its bytes, the terminator's two included.
constexpr DWORD kWideValueCapacity = 2 * kRegistryValueCapacity;

}  // namespace

// Key names in the key name form (../utf16_text.h) wherever the program's texts are UTF-8:
// a name with an unpaired surrogate or a zero then opens the key it came from. Another
// code page has no room for them.
Win32Registry::Win32Registry(UINT codePage)
    : codePage_(codePage), exactNames_(IsUtf8(codePage)) {}

void Win32Registry::AssignWideName(std::string_view name) {
  if (!exactNames_) return AssignWide(wide_, name, codePage_);
  const std::u16string units = Utf16FromKeyName(name);
  wide_.assign(units.begin(), units.end());
}

void Win32Registry::AssignName(std::string& name, std::wstring_view wide) const {
  if (!exactNames_) return AssignUtf8(name, wide, codePage_);
  name = KeyNameFromUtf16(AsUtf16(wide));
}

bool Win32Registry::Succeeded(LSTATUS status) {
  if (status == ERROR_SUCCESS) return true;
  lastFailure_ = static_cast<std::uint32_t>(status);
  return false;
}

KeyOpening Win32Registry::OpenKey(RegistrySource source, const char* subKey, Key& key) {
  HKEY opened = nullptr;
  AssignWideName(subKey);
  const LSTATUS status = OpenKeyByName(Root(source), wide_, KEY_READ, ViewFlag(source), opened);
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
  AssignWideName(name);
  if (!Succeeded(OpenKeyByName(ToHkey(parent), wide_, KEY_READ, 0, opened))) return false;
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
  std::string converted;
  AssignName(converted, wide_);
  if (converted.size() + 1 > name.size()) return SubkeyStep::TooLong;
  std::memcpy(name.data(), converted.c_str(), converted.size() + 1);
  return SubkeyStep::Name;
}

EnumerationStep Win32Registry::EnumerateChildName(Key key, std::uint32_t index, std::string& name) {
  const LSTATUS status = SubkeyName(key, index, wide_);
  if (status == ERROR_NO_MORE_ITEMS) return EnumerationStep::End;
  if (!Succeeded(status)) return EnumerationStep::Failed;
  AssignName(name, wide_);
  return EnumerationStep::Item;
}

// The bytes as stored: a copy made from converted texts would not always give the same
// value back. Each value is read into one buffer, kept for the next, and copied out at its
// own size: a descriptor costs the size of its values, whatever the largest of them.
EnumerationStep Win32Registry::EnumerateValue(Key key, std::uint32_t index, RegistryValue& value) {
  valueName_.resize(kValueNameCapacity);
  if (valueData_.empty()) valueData_.resize(kFirstValueCapacity);
  for (;;) {
    DWORD nameLength = kValueNameCapacity;
    DWORD type = 0;
    auto size = static_cast<DWORD>(valueData_.size());
    const LSTATUS status =
        RegEnumValueW(ToHkey(key), index, valueName_.data(), &nameLength, nullptr, &type, valueData_.data(), &size);
    // Larger than any before it (or grown meanwhile): read again, with room for it.
    if (status == ERROR_MORE_DATA && size > valueData_.size()) {
      valueData_.resize(size);
      continue;
    }
    if (status == ERROR_NO_MORE_ITEMS) return EnumerationStep::End;
    if (!Succeeded(status)) return EnumerationStep::Failed;  // a value changed meanwhile included
    // An unpaired surrogate has no UTF-8 form: rather no copy than a copy of another name.
    std::optional<std::string> exactName = Utf8FromUtf16(AsUtf16(std::wstring_view(valueName_.data(), nameLength)));
    if (!exactName) {
      lastFailure_ = ERROR_NO_UNICODE_TRANSLATION;
      return EnumerationStep::Failed;
    }
    value.name = std::move(*exactName);
    value.type = type;
    value.bytes.assign(reinterpret_cast<const char*>(valueData_.data()), size);
    return EnumerationStep::Item;
  }
}

bool Win32Registry::ReadKeyValue(RegistrySource source,
                                 const char* subKey,
                                 const char* valueName,
                                 RegistryValueBuffer& buffer,
                                 std::uint32_t& type) {
  ScopedKey key;
  AssignWideName(subKey);
  return Succeeded(OpenKeyByName(Root(source), wide_, KEY_READ, ViewFlag(source), *key.Receive())) &&
         ReadValue(reinterpret_cast<Key>(key.Get()), valueName, buffer, type).has_value();
}

// What the 8-bit call would read into the buffer: texts converted, their stored zeros
// included; a value that does not fit, or a text that would not end inside the buffer,
// is a failed read.
std::optional<std::size_t> Win32Registry::ReadValue(Key key,
                                                    const char* valueName,
                                                    RegistryValueBuffer& buffer,
                                                    std::uint32_t& type) {
  AssignWide(wide_, valueName, codePage_);
  std::array<BYTE, kWideValueCapacity> stored;
  DWORD valueType = 0;
  DWORD size = stored.size();
  if (!Succeeded(RegQueryValueExW(ToHkey(key), wide_.c_str(), nullptr, &valueType, stored.data(), &size))) {
    return std::nullopt;
  }
  const auto* bytes = reinterpret_cast<const char*>(stored.data());
  std::string converted;
  if (IsTextType(valueType)) {
    AssignUtf8(converted, std::wstring_view(reinterpret_cast<const wchar_t*>(bytes), size / sizeof(wchar_t)), codePage_);
  } else {
    converted.assign(bytes, size);
  }
  if (converted.size() > buffer.size()) return std::nullopt;
  type = valueType;
  std::memcpy(buffer.data(), converted.data(), converted.size());
  // The registry adds no terminating zero to data stored without one: the text must
  // end inside the buffer, or the read fails rather than run past it.
  if (converted.size() < buffer.size()) {
    buffer[converted.size()] = '\0';
    return converted.size();
  }
  if (std::memchr(buffer.data(), '\0', buffer.size()) == nullptr) return std::nullopt;
  return converted.size();
}

// The deletion needs no open key of ours: the call checks the caller's right to delete.
bool Win32Registry::RemoveKey(RegistrySource source, const char* subKey) {
  AssignWideName(subKey);
  return Succeeded(DeleteKeyByName(Root(source), wide_, ViewFlag(source)));
}

std::string Win32Registry::FailureText(std::uint32_t error) const {
  return SystemErrorText(error, codePage_);
}

}  // namespace zobl::win32
