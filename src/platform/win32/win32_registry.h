#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

namespace zobl::win32 {

// The registry operations through the wide registry calls, the program's texts converted
// at this edge from and to `codePage`: the process's (CP_ACP) for the window, which then
// sees what the 8-bit calls would show it, or UTF-8 for the exports, which are exact
// whatever the process's code page. A source is a root key and a view flag; keys are
// opened with KEY_READ, so a standard user's run lists everything.
class Win32Registry final : public Registry {
 public:
  explicit Win32Registry(UINT codePage = CP_ACP);

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
  [[nodiscard]] std::optional<std::size_t> ReadValue(Key key,
                                                     const char* valueName,
                                                     RegistryValueBuffer& buffer,
                                                     std::uint32_t& type) override;
  [[nodiscard]] bool RemoveKey(RegistrySource source, const char* subKey) override;
  [[nodiscard]] std::uint32_t LastFailure() const override { return lastFailure_; }
  [[nodiscard]] std::string FailureText(std::uint32_t error) const override;

 private:
  // Keeps a failed call's status for LastFailure; true when it succeeded.
  bool Succeeded(LSTATUS status);
  // The key's subkey name number `index`, in UTF-16.
  LSTATUS SubkeyName(Key key, std::uint32_t index, std::wstring& name);

  // A key name, or a path of them, into wide_, and a wide one out.
  void AssignWideName(std::string_view name);
  void AssignName(std::string& name, std::wstring_view wide) const;

  UINT codePage_;
  bool exactNames_;
  std::uint32_t lastFailure_ = 0;
  std::wstring wide_;  // a scratch name, so that a walk allocates only while it grows
  // A value's name and bytes as read, before they are copied out at their own sizes.
  std::wstring valueName_;
  std::vector<BYTE> valueData_;
};

}  // namespace zobl::win32
