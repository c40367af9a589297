#include "descriptor_keys.h"

#include <stdexcept>

#include "inventory/uninstall_key.h"
#include "platform/win32/registry_roots.h"

namespace zobl::testing {

// UTF-8 whatever the process's code page: the churn's programs run without the manifest.
std::wstring WideFromUtf8(const std::string& text) {
  std::wstring wide(text.size(), L'\0');
  const int length = text.empty() ? 0
                                  : MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                                        wide.data(), static_cast<int>(wide.size()));
  wide.resize(static_cast<std::size_t>(length));
  return wide;
}

DescriptorKeys::DescriptorKeys(AtEnd atEnd) : atEnd_(atEnd) {
  for (const RegistrySource source : kRegistrySources) {
    if (RegCreateKeyExA(win32::Root(source), kUninstallKeyPath, 0, nullptr, 0,
                        KEY_ALL_ACCESS | win32::ViewFlag(source), nullptr,
                        uninstall_[static_cast<int>(source)].Receive(), nullptr) != ERROR_SUCCESS) {
      throw std::runtime_error("cannot open the Uninstall key");
    }
  }
}

DescriptorKeys::~DescriptorKeys() {
  if (atEnd_ == AtEnd::Keep) return;
  for (const auto& [source, keyName] : created_) RegDeleteTreeW(Uninstall(source), WideFromUtf8(keyName).c_str());
}

void DescriptorKeys::Create(RegistrySource source, const std::string& keyName) {
  win32::ScopedKey key;
  if (RegCreateKeyExW(Uninstall(source), WideFromUtf8(keyName).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      key.Receive(), nullptr) != ERROR_SUCCESS) {
    throw std::runtime_error("cannot create " + keyName);
  }
  if (atEnd_ == AtEnd::Remove) created_.emplace(source, keyName);
}

void DescriptorKeys::SetValue(RegistrySource source,
                              const std::string& keyName,
                              const std::string& valueName,
                              DWORD type,
                              const std::string& bytes) {
  std::string stored = bytes;
  if (type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ) {
    const std::wstring text = WideFromUtf8(bytes);
    stored.assign(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
  }
  SetStored(source, keyName, WideFromUtf8(valueName), type, stored);
}

void DescriptorKeys::SetStored(RegistrySource source,
                               const std::string& keyName,
                               const std::wstring& valueName,
                               DWORD type,
                               const std::string& stored) {
  win32::ScopedKey key;
  if (RegOpenKeyExW(Uninstall(source), WideFromUtf8(keyName).c_str(), 0, KEY_SET_VALUE, key.Receive()) !=
          ERROR_SUCCESS ||
      RegSetValueExW(key.Get(), valueName.c_str(), 0, type, reinterpret_cast<const BYTE*>(stored.data()),
                     static_cast<DWORD>(stored.size())) != ERROR_SUCCESS) {
    throw std::runtime_error("cannot set a value of " + keyName);
  }
}

LSTATUS DescriptorKeys::Delete(RegistrySource source, const std::string& keyName) {
  return RegDeleteTreeW(Uninstall(source), WideFromUtf8(keyName).c_str());
}

bool DescriptorKeys::Exists(RegistrySource source, const std::string& keyName) const {
  win32::ScopedKey key;
  return RegOpenKeyExW(Uninstall(source), WideFromUtf8(keyName).c_str(), 0, KEY_READ, key.Receive()) ==
         ERROR_SUCCESS;
}

}  // namespace zobl::testing
