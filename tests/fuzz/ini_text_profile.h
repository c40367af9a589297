#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/profile.h"

namespace zobl::fuzzing {

// The settings file in memory, as the platform's private-profile functions treat it:
// the section with the empty name is the lines before the first "[section]" line; a
// key's line is "key=value" with blanks around either, names compared ignoring ASCII
// case, the first one counting. A value reads as GetPrivateProfileIntA reads it: blanks,
// a sign, decimal digits, wrapping to 32 bits; an empty one gives the default. A write
// replaces the key's line or puts a new one at the top.
class IniTextProfile final : public Profile {
 public:
  explicit IniTextProfile(std::string text) : text_(std::move(text)) {}

  [[nodiscard]] const std::string& Text() const { return text_; }
  // Writes fail from now on, leaving the file as it is.
  void FailWrites(bool fail) { failWrites_ = fail; }

  [[nodiscard]] unsigned ReadInt(const char* key, unsigned defaultValue) override;
  bool WriteString(const char* key, const char* value) override;

 private:
  struct KeyLine {
    std::size_t begin;  // the line's first character
    std::size_t end;    // its line end, or the text's end
    std::string_view value;
  };
  [[nodiscard]] std::optional<KeyLine> Find(std::string_view key) const;

  std::string text_;
  bool failWrites_ = false;
};

}  // namespace zobl::fuzzing
