#pragma once

#include "platform/locale.h"

namespace zobl {

// The locale's text services without the system: the collation properties the list
// relies on, upper case for ASCII and the common two-byte alphabets (Latin-1, Greek,
// Cyrillic) and a proleptic Gregorian calendar. Used where there is
// no Windows (host builds and their tests).
class PortableLocale final : public Locale {
 public:
  [[nodiscard]] int CompareText(const char* first, const char* second) const override;
  [[nodiscard]] std::string SortKey(std::string_view text) const override;
  [[nodiscard]] std::optional<std::string> FormatUtcDate(std::uint64_t fileTime, const char* picture) const override;

 private:
  [[nodiscard]] std::string LocaleUpperCase(std::string_view text) const override;
};

}  // namespace zobl
