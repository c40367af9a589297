#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zobl {

// Text services of the user's locale and code page.
class Locale {
 public:
  virtual ~Locale() = default;

  // Locale order: case-insensitive first, lower case before upper case on ties,
  // punctuation before digits before letters. Negative, zero or positive.
  [[nodiscard]] virtual int CompareText(const char* first, const char* second) const = 0;
  // Bytes whose order, compared as unsigned bytes, is CompareText's order for the texts
  // they were made from: a text compared many times is weighed once.
  [[nodiscard]] virtual std::string SortKey(std::string_view text) const = 0;
  // The UTF-8 text in upper case, letters of every script the locale knows folded: the
  // way the file system and the registry match names, whatever the case they were given in.
  [[nodiscard]] std::string UpperCase(std::string_view text) const;
  // The same into the caller's string: an ASCII text, as most names are, is folded there
  // without a copy and without the locale.
  void AssignUpperCase(std::string& out, std::string_view text) const;
  // The UTC calendar date of a file time stamp, formatted by a date picture
  // ("yyyy'.'MM'.'dd") in the Gregorian calendar, whatever the user's locale prefers;
  // nothing when the stamp is no valid date.
  [[nodiscard]] virtual std::optional<std::string> FormatUtcDate(std::uint64_t fileTime, const char* picture) const = 0;

 protected:
  // UpperCase of a text with characters beyond ASCII.
  [[nodiscard]] virtual std::string LocaleUpperCase(std::string_view text) const = 0;
};

}  // namespace zobl
