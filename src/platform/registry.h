#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "platform/capacities.h"

namespace zobl {

// Where uninstall descriptors live. On 64-bit Windows, 32-bit setup programs write to
// the machine's 32-bit view, and per-user installations to the current user's keys;
// a program that read only the native view would miss both.
enum class RegistrySource : std::uint8_t { Machine64, Machine32, User };

inline constexpr std::array<RegistrySource, 3> kRegistrySources = {RegistrySource::Machine64, RegistrySource::Machine32,
                                                                   RegistrySource::User};

using RegistryValueBuffer = std::array<char, kRegistryValueCapacity>;
using SubkeyNameBuffer = std::span<char, kSubkeyNameCapacity>;

enum class SubkeyStep : std::uint8_t {
  Name,     // the name is in the buffer
  TooLong,  // this subkey's name does not fit; the ones after it may
  End,      // no more subkeys
  Failed,   // the key cannot be enumerated
};

// How an open went: an absent key is an empty source, one that cannot be opened is an
// unreadable one.
enum class KeyOpening : std::uint8_t { Opened, Missing, Failed };

enum class EnumerationStep : std::uint8_t { Item, End, Failed };

// The system's error number for a key or value that is not there.
inline constexpr std::uint32_t kRegistryNotFound = 2;
// ... and for an open key deleted since it was opened.
inline constexpr std::uint32_t kRegistryKeyDeleted = 1018;

// Value type numbers as the registry gives them.
inline constexpr std::uint32_t kTextType = 1;
// A text holding %name% references to environment variables.
inline constexpr std::uint32_t kExpandableTextType = 2;
inline constexpr std::uint32_t kBinaryType = 3;
inline constexpr std::uint32_t kDwordType = 4;
inline constexpr std::uint32_t kMultiTextType = 7;
inline constexpr std::uint32_t kQwordType = 11;

// The types whose bytes are texts, stored as UTF-16LE.
constexpr bool IsTextType(std::uint32_t type) {
  return type == kTextType || type == kExpandableTextType || type == kMultiTextType;
}

// A value as stored: its name (UTF-8, as every text of the program), its type number and
// its bytes exactly as the registry holds them. Texts (types 1, 2 and 7) are held as
// UTF-16LE, which is what a copy of the value must keep: the 8-bit reads hand them over
// converted, and not every stored text converts back exactly.
struct RegistryValue {
  std::string name;
  std::uint32_t type = 0;
  std::string bytes;
};

// The registry operations the program makes, each below the root of a source. Reads
// ask for reading rights only, so a user without administrator rights sees everything.
// Only the opening of a key tells a failure from an absent key.
class Registry {
 public:
  using Key = std::uintptr_t;

  virtual ~Registry() = default;

  [[nodiscard]] virtual KeyOpening OpenKey(RegistrySource source, const char* subKey, Key& key) = 0;
  // A subkey of an open key, named relative to it (full paths have a length limit).
  [[nodiscard]] virtual bool OpenChildKey(Key parent, const char* name, Key& key) = 0;
  virtual void CloseKey(Key key) = 0;
  // Name number `index` of the key's subkeys, zero-terminated.
  [[nodiscard]] virtual SubkeyStep EnumerateSubkey(Key key, std::uint32_t index, SubkeyNameBuffer name) = 0;
  // Subkey number `index`, whatever the length of its name.
  [[nodiscard]] virtual EnumerationStep EnumerateChildName(Key key, std::uint32_t index, std::string& name) = 0;
  // Value number `index`, whole: name, type and stored bytes. A name that has no UTF-8
  // form (an unpaired surrogate) fails, as a copy of it could not be exact.
  [[nodiscard]] virtual EnumerationStep EnumerateValue(Key key, std::uint32_t index, RegistryValue& value) = 0;
  // The value's bytes, zero-terminated, and its type number; a value that does not fit,
  // terminator included, is a failed read.
  [[nodiscard]] virtual bool ReadKeyValue(RegistrySource source,
                                          const char* subKey,
                                          const char* valueName,
                                          RegistryValueBuffer& buffer,
                                          std::uint32_t& type) = 0;
  // The same from a key that is open already; the count of bytes read, the terminator not
  // counted.
  [[nodiscard]] virtual std::optional<std::size_t> ReadValue(Key key,
                                                             const char* valueName,
                                                             RegistryValueBuffer& buffer,
                                                             std::uint32_t& type) = 0;
  // The same, for a reader to whom the type does not matter.
  [[nodiscard]] bool ReadKeyValue(RegistrySource source,
                                  const char* subKey,
                                  const char* valueName,
                                  RegistryValueBuffer& buffer) {
    std::uint32_t type = 0;
    return ReadKeyValue(source, subKey, valueName, buffer, type);
  }
  // Deletes a key that has no subkeys.
  [[nodiscard]] virtual bool RemoveKey(RegistrySource source, const char* subKey) = 0;
  // The system's error number of the last call above that failed, as GetLastError tells
  // it (kRegistryNotFound: no such key), and the system's text for such a number.
  [[nodiscard]] virtual std::uint32_t LastFailure() const = 0;
  [[nodiscard]] virtual std::string FailureText(std::uint32_t error) const = 0;
};

// An open key, closed when it goes out of scope.
class ScopedRegistryKey {
 public:
  ScopedRegistryKey(Registry& registry, RegistrySource source, const char* subKey)
      : registry_(registry), opening_(registry.OpenKey(source, subKey, key_)) {}
  ScopedRegistryKey(Registry& registry, Registry::Key parent, const char* name)
      : registry_(registry),
        opening_(registry.OpenChildKey(parent, name, key_) ? KeyOpening::Opened : KeyOpening::Failed) {}
  ~ScopedRegistryKey() {
    if (IsOpen()) registry_.CloseKey(key_);
  }
  ScopedRegistryKey(const ScopedRegistryKey&) = delete;
  ScopedRegistryKey& operator=(const ScopedRegistryKey&) = delete;

  [[nodiscard]] bool IsOpen() const { return opening_ == KeyOpening::Opened; }
  [[nodiscard]] KeyOpening Opening() const { return opening_; }
  [[nodiscard]] Registry::Key Get() const { return key_; }

 private:
  Registry& registry_;
  Registry::Key key_ = 0;
  KeyOpening opening_;
};

}  // namespace zobl
