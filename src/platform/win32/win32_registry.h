#pragma once

#include "platform/registry.h"

namespace zobl::win32 {

// The registry operations through the ANSI registry calls, and whole values through the
// wide ones. A source is a root key and a view flag; keys are opened with KEY_READ, so a
// standard user's run lists everything.
class Win32Registry final : public Registry {
 public:
  [[nodiscard]] KeyOpening OpenKey(RegistrySource source, const char* subKey, Key& key) override;
  [[nodiscard]] bool OpenChildKey(Key parent, const char* name, Key& key) override;
  void CloseKey(Key key) override;
  [[nodiscard]] SubkeyStep EnumerateSubkey(Key key, std::uint32_t index, SubkeyNameBuffer name) override;
  [[nodiscard]] EnumerationStep EnumerateChildName(Key key, std::uint32_t index, std::string& name) override;
  [[nodiscard]] EnumerationStep EnumerateValue(Key key, std::uint32_t index, RegistryValue& value) override;
  using Registry::ReadKeyValue;
  [[nodiscard]] bool ReadKeyValue(RegistrySource source,
                                  const char* subKey,
                                  const char* valueName,
                                  RegistryValueBuffer& buffer,
                                  std::uint32_t& type) override;
  [[nodiscard]] bool RemoveKey(RegistrySource source, const char* subKey) override;
};

}  // namespace zobl::win32
