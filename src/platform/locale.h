#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace zobl {

// Text services of the user's locale and code page.
class Locale {
 public:
  virtual ~Locale() = default;

  // Locale order: case-insensitive first, lower case before upper case on ties,
  // punctuation before digits before letters. Negative, zero or positive.
  [[nodiscard]] virtual int CompareText(const char* first, const char* second) const = 0;
  [[nodiscard]] virtual char ToUpper(char c) const = 0;
  // The UTC calendar date of a file time stamp, formatted by a date picture
  // ("yyyy'.'MM'.'dd"); nothing when the stamp is no valid date.
  [[nodiscard]] virtual std::optional<std::string> FormatUtcDate(std::uint64_t fileTime, const char* picture) const = 0;
};

}  // namespace zobl
