#pragma once

#include "platform/registry.h"

namespace zobl::win32 {

// The registry operations through the ANSI registry calls, below HKEY_LOCAL_MACHINE
// with KEY_ALL_ACCESS.
class Win32Registry final : public Registry {
 public:
  [[nodiscard]] bool OpenKey(const char* subKey, Key& key, RegistryView view) override;
  void CloseKey(Key key) override;
  [[nodiscard]] bool EnumerateSubkey(Key key, std::uint32_t index, SubkeyNameBuffer name) override;
  [[nodiscard]] bool ReadKeyValue(const char* subKey,
                                  const char* valueName,
                                  RegistryValueBuffer& buffer,
                                  RegistryView view) override;
  [[nodiscard]] bool RemoveKey(const char* subKey, RegistryView view) override;
};

}  // namespace zobl::win32
