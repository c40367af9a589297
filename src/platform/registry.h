#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "platform/capacities.h"

namespace zobl {

// 64-bit Windows keeps a second, 32-bit view of the software keys; today the program
// reads the native one only.
enum class RegistryView : std::uint8_t { Native, Wow32 };

using RegistryValueBuffer = std::array<char, kRegistryValueCapacity>;
using SubkeyNameBuffer = std::span<char, kSubkeyNameCapacity>;

// The five registry operations the program makes, always below HKEY_LOCAL_MACHINE and
// always asking for full access. Any failure reads as an absent key or value.
class Registry {
 public:
  using Key = std::uintptr_t;

  virtual ~Registry() = default;

  [[nodiscard]] virtual bool OpenKey(const char* subKey, Key& key, RegistryView view = RegistryView::Native) = 0;
  virtual void CloseKey(Key key) = 0;
  // Name number `index` of the key's subkeys, zero-terminated; false ends an enumeration,
  // whether there are no more subkeys or the name does not fit.
  [[nodiscard]] virtual bool EnumerateSubkey(Key key, std::uint32_t index, SubkeyNameBuffer name) = 0;
  // The value's bytes, zero-terminated; a value that does not fit, terminator included,
  // is a failed read. The value's type is not examined.
  [[nodiscard]] virtual bool ReadKeyValue(const char* subKey,
                                          const char* valueName,
                                          RegistryValueBuffer& buffer,
                                          RegistryView view = RegistryView::Native) = 0;
  [[nodiscard]] virtual bool RemoveKey(const char* subKey, RegistryView view = RegistryView::Native) = 0;
};

// An open key, closed when it goes out of scope.
class ScopedRegistryKey {
 public:
  ScopedRegistryKey(Registry& registry, const char* subKey, RegistryView view = RegistryView::Native)
      : registry_(registry), open_(registry.OpenKey(subKey, key_, view)) {}
  ~ScopedRegistryKey() {
    if (open_) registry_.CloseKey(key_);
  }
  ScopedRegistryKey(const ScopedRegistryKey&) = delete;
  ScopedRegistryKey& operator=(const ScopedRegistryKey&) = delete;

  [[nodiscard]] bool IsOpen() const { return open_; }
  [[nodiscard]] Registry::Key Get() const { return key_; }

 private:
  Registry& registry_;
  Registry::Key key_ = 0;
  bool open_;
};

}  // namespace zobl
