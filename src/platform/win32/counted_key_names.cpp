#include "platform/win32/counted_key_names.h"

#include <winternl.h>

#include "platform/win32/scoped_handles.h"

namespace zobl::win32 {
namespace {

using NtOpenKeyCall = NTSTATUS(NTAPI*)(HANDLE*, ACCESS_MASK, OBJECT_ATTRIBUTES*);
using NtDeleteKeyCall = NTSTATUS(NTAPI*)(HANDLE);
using StatusToErrorCall = ULONG(NTAPI*)(NTSTATUS);

// ntdll is in every process: nothing is loaded.
template <typename Call>
Call Native(const char* name) {
  return reinterpret_cast<Call>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), name)));
}

LSTATUS ErrorOf(NTSTATUS status) {
  static const auto toError = Native<StatusToErrorCall>("RtlNtStatusToDosError");
  return toError != nullptr ? static_cast<LSTATUS>(toError(status)) : ERROR_INVALID_FUNCTION;
}

LSTATUS OpenCounted(HKEY parent, const std::wstring& name, REGSAM access, REGSAM view, HKEY& key) {
  static const auto open = Native<NtOpenKeyCall>("NtOpenKey");
  if (open == nullptr) return ERROR_INVALID_FUNCTION;
  const std::size_t cut = name.rfind(L'\\', name.find(L'\0'));
  ScopedKey base;
  if (cut != std::wstring::npos) {
    const LSTATUS status = RegOpenKeyExW(parent, name.substr(0, cut).c_str(), 0, KEY_READ | view, base.Receive());
    if (status != ERROR_SUCCESS) return status;
    parent = base.Get();
  }
  const std::wstring rest = cut == std::wstring::npos ? name : name.substr(cut + 1);
  UNICODE_STRING counted{static_cast<USHORT>(rest.size() * sizeof(wchar_t)),
                         static_cast<USHORT>(rest.size() * sizeof(wchar_t)), const_cast<wchar_t*>(rest.data())};
  OBJECT_ATTRIBUTES attributes{};
  attributes.Length = sizeof attributes;
  attributes.RootDirectory = parent;
  attributes.ObjectName = &counted;
  attributes.Attributes = OBJ_CASE_INSENSITIVE;
  HANDLE opened = nullptr;
  const NTSTATUS status = open(&opened, access, &attributes);
  if (status < 0) return ErrorOf(status);
  key = static_cast<HKEY>(opened);
  return ERROR_SUCCESS;
}

}  // namespace

LSTATUS OpenKeyByName(HKEY parent, const std::wstring& name, REGSAM access, REGSAM view, HKEY& key) {
  if (name.find(L'\0') == std::wstring::npos) return RegOpenKeyExW(parent, name.c_str(), 0, access | view, &key);
  return OpenCounted(parent, name, access, view, key);
}

LSTATUS DeleteKeyByName(HKEY parent, const std::wstring& name, REGSAM view) {
  if (name.find(L'\0') == std::wstring::npos) return RegDeleteKeyExW(parent, name.c_str(), view, 0);
  static const auto remove = Native<NtDeleteKeyCall>("NtDeleteKey");
  if (remove == nullptr) return ERROR_INVALID_FUNCTION;
  ScopedKey key;
  if (const LSTATUS status = OpenCounted(parent, name, DELETE, view, *key.Receive()); status != ERROR_SUCCESS) {
    return status;
  }
  const NTSTATUS status = remove(key.Get());
  return status < 0 ? ErrorOf(status) : ERROR_SUCCESS;
}

}  // namespace zobl::win32
