#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

namespace zobl {

// How a value is read where a text is wanted, by the window and the exports alike.
enum class TextReading : std::uint8_t {
  Text,    // as stored (an expandable one not expanded; a multi-text's first text)
  Digits,  // a 32- or 64-bit number's decimal digits
  Absent,  // bytes and every other type: no text
};
[[nodiscard]] TextReading TextReadingOf(std::uint32_t type);
// A 32-bit number stored in 4 bytes or a 64-bit one in 8, in decimal; nothing otherwise.
[[nodiscard]] std::optional<std::string> NumberDigits(std::uint32_t type, std::string_view bytes);

// Every value of one descriptor, as the registry stores it, read in one pass, and what a
// program inventory reads from them. Installers do not always store a value with the type
// it is documented with (a number as a text, a version as a number): each is read as it is.
class DescriptorValues {
 public:
  explicit DescriptorValues(std::vector<RegistryValue> values) : values_(std::move(values)) {}

  // The value's type number; nothing when the descriptor has no such value. Names
  // compare ignoring ASCII case, as the registry's do.
  [[nodiscard]] std::optional<std::uint32_t> Type(std::string_view name) const;
  // The value read as TextReadingOf says, in UTF-8 (an unpaired surrogate becomes U+FFFD).
  [[nodiscard]] std::optional<std::string> Text(std::string_view name) const;
  // A 32- or 64-bit number, or a text of decimal digits (blanks around them allowed).
  [[nodiscard]] std::optional<std::uint64_t> Number(std::string_view name) const;

 private:
  [[nodiscard]] const RegistryValue* Find(std::string_view name) const;

  std::vector<RegistryValue> values_;
};

// The descriptor's fields that every software inventory carries, beyond the list's own.
struct DescriptorDetails {
  std::optional<std::string> installLocation;  // as stored
  std::optional<std::string> installSource;
  std::optional<std::uint64_t> language;       // a locale number
  std::optional<std::uint64_t> estimatedSizeBytes;
  // YYYYMMDD as YYYY-MM-DD when it is a date of the calendar, any other text as stored.
  std::optional<std::string> registryInstallDate;
  // The key name, when it is a product code in braces and Windows Installer made the
  // descriptor.
  std::optional<std::string> productCode;
  std::optional<bool> windowsInstaller;
  std::optional<bool> systemComponent;
  std::optional<std::string> quietUninstallCommand;
  // An update names the program it belongs to and says what it is.
  std::optional<std::string> parentKeyName;
  std::optional<std::string> releaseType;
};

[[nodiscard]] DescriptorDetails ReadDescriptorDetails(const DescriptorValues& values, std::string_view keyName);

}  // namespace zobl
