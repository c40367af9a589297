#pragma once

// Windows only: how every Wine tier writes uninstall descriptors (the win tests, the
// window tests, the churn and its churner).
#include <windows.h>

#include <set>
#include <string>
#include <utility>

#include "platform/registry.h"
#include "platform/win32/scoped_handles.h"

namespace zobl::testing {

// Descriptors under the Uninstall key of each source, opened (made when absent) in the
// source's own view: a full path names the native view only. Keys are named relative to
// it, as Wine's 8-bit calls refuse full paths much longer than 255 characters. Names and
// texts are UTF-8, written through the wide calls, so any script is stored exactly.
// Failures throw std::runtime_error.
class DescriptorKeys {
 public:
  enum class AtEnd { Remove, Keep };
  // `Remove`: every key made here goes when this goes; `Keep` leaves them (the churner's
  // descriptors outlive it).
  explicit DescriptorKeys(AtEnd atEnd = AtEnd::Remove);
  ~DescriptorKeys();
  DescriptorKeys(const DescriptorKeys&) = delete;
  DescriptorKeys& operator=(const DescriptorKeys&) = delete;

  // A descriptor, or a subkey of one ("key\\child").
  void Create(RegistrySource source, const std::string& keyName);
  // A value as the 8-bit calls see it: texts (types 1, 2 and 7) with their terminating
  // zero are converted to UTF-16, other types stored as they are.
  void SetValue(RegistrySource source,
                const std::string& keyName,
                const std::string& valueName,
                DWORD type,
                const std::string& bytes);
  void SetText(RegistrySource source,
               const std::string& keyName,
               const std::string& valueName,
               const std::string& text,
               DWORD type = REG_SZ) {
    SetValue(source, keyName, valueName, type, text + '\0');
  }
  // A value with the very name and bytes the registry stores.
  void SetStored(RegistrySource source,
                 const std::string& keyName,
                 const std::wstring& valueName,
                 DWORD type,
                 const std::string& stored);
  // The descriptor with everything below it; the registry's status.
  LSTATUS Delete(RegistrySource source, const std::string& keyName);
  [[nodiscard]] bool Exists(RegistrySource source, const std::string& keyName) const;
  [[nodiscard]] HKEY Uninstall(RegistrySource source) const { return uninstall_[static_cast<int>(source)].Get(); }

 private:
  AtEnd atEnd_;
  win32::ScopedKey uninstall_[3];
  std::set<std::pair<RegistrySource, std::string>> created_;
};

std::wstring WideFromUtf8(const std::string& text);

}  // namespace zobl::testing
