#pragma once

#include <algorithm>
#include <cstddef>
#include <string_view>

namespace zobl {

// How much of `text` a buffer of `capacity` bytes holds with its terminating zero,
// never ending inside a UTF-8 sequence: a text shown cut is cut between characters.
inline std::size_t Utf8FitLength(std::string_view text, std::size_t capacity) {
  if (capacity == 0) return 0;
  std::size_t length = std::min(text.size(), capacity - 1);
  if (length == text.size()) return length;
  while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) --length;
  return length;
}

}  // namespace zobl
