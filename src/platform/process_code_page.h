#pragma once

#include <string>
#include <string_view>

namespace zobl {

// The program's texts are in its process's code page: UTF-8 where its manifest sets it
// (Windows 10 version 1903 and later), the system's ANSI code page before. What leaves
// the program as UTF-8 (the CSV file, the backup's key names) is converted from it, so
// that "M\xC3\xBCller" arrives as such on every version.
class ProcessCodePage {
 public:
  virtual ~ProcessCodePage() = default;
  // The text in UTF-8; returned as it is where the code page is UTF-8 already.
  [[nodiscard]] virtual std::string ToUtf8(std::string_view text) const = 0;
};

// A process whose texts are UTF-8.
class Utf8ProcessCodePage final : public ProcessCodePage {
 public:
  [[nodiscard]] std::string ToUtf8(std::string_view text) const override { return std::string(text); }
};

}  // namespace zobl
