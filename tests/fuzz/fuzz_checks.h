#pragma once

#include <cstddef>
#include <cstdlib>
#include <string_view>

namespace zobl::fuzzing {

// A broken invariant is a finding: libFuzzer keeps the input that aborted.
inline void Check(bool condition) {
  if (!condition) std::abort();
}

// The directory as a path inside the text, ignoring ASCII case: followed by a backslash
// or at the text's end (C:\WINDOWS10Upgrade is a directory of its own).
inline bool ContainsPathIgnoringCase(std::string_view text, std::string_view part) {
  const auto upper = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; };
  for (std::size_t i = 0; i + part.size() <= text.size(); ++i) {
    std::size_t j = 0;
    while (j < part.size() && upper(text[i + j]) == upper(part[j])) ++j;
    if (j == part.size() && (i + j == text.size() || text[i + j] == '\\')) return true;
  }
  return false;
}

}  // namespace zobl::fuzzing
