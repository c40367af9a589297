#pragma once

#include <vector>

namespace zobl::testing {

// Pairs in the order the list must sort them (first strictly before second), run
// against the portable comparison and against the system's lstrcmpA.
struct OrderedPair {
  const char* first;
  const char* second;
};

inline const std::vector<OrderedPair>& TextOrderCases() {
  // clang-format off
  static const std::vector<OrderedPair> cases = {
      // Letters alphabetically, whatever the case.
      {"a", "B"}, {"acme", "Bravo"}, {"Zeta", "zz"}, {"apple", "APPLES"},
      // Case decides only between otherwise equal texts: lower case first.
      {"a", "A"}, {"acme tools", "Acme Tools"}, {"abc", "aBc"},
      // Punctuation before digits before letters.
      {"[", "1"}, {"1", "a"}, {"[NO NAME]", "0 A.D."}, {"[unknown]", "Acme"}, {"[MISSING OR SYSTEM DIRECTORY ?]", "C:\\"},
      {"9", "A"}, {"(x)", "0"},
      // Digits in their own order; a prefix before its extensions.
      {"2001.07.02", "2002.01.01"}, {"Acme", "Acme 2"}, {"", "a"},
  };
  // clang-format on
  return cases;
}

}  // namespace zobl::testing
