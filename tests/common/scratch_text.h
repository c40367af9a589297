#pragma once

#include <string>

namespace zobl::testing {

// A case's text with "@" replaced by the test's scratch directory.
inline std::string ExpandScratch(const std::string& text, const std::string& root) {
  std::string out;
  for (const char c : text) {
    if (c == '@')
      out += root;
    else
      out += c;
  }
  return out;
}

}  // namespace zobl::testing
