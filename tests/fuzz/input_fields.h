#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/utf16_text.h"

namespace zobl::fuzzing {

// Takes fields from the front of the input; past its end every field is empty.
class InputFields {
 public:
  explicit InputFields(std::string_view input) : input_(input) {}

  [[nodiscard]] bool Empty() const { return input_.empty(); }
  std::uint8_t Byte() {
    if (input_.empty()) return 0;
    const auto byte = static_cast<std::uint8_t>(input_.front());
    input_.remove_prefix(1);
    return byte;
  }
  std::string Bytes(std::size_t count) {
    const std::string_view taken = input_.substr(0, count);
    input_.remove_prefix(taken.size());
    return std::string(taken);
  }
  // The next `count` bytes as the system's conversions hand texts over: UTF-8, each
  // sequence that is none as U+FFFD.
  std::string Text(std::size_t count) { return *Utf8FromUtf16(Utf16FromUtf8Lossy(Bytes(count))); }

 private:
  std::string_view input_;
};

}  // namespace zobl::fuzzing
