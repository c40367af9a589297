#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "platform/locale.h"

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

// Every text's sort key against every other's orders as the comparison orders the texts:
// the table's texts, and hyphens, apostrophes, accents and other scripts, which a word
// sort weighs in ways of its own.
inline void ExpectSortKeysOrderAsCompareText(const Locale& locale) {
  std::vector<const char*> texts = {"co-op", "coop", "co op", "it's", "its", "a-b", "-ab", "A10", "A9",
                                    "e", "\u00e9", "\u00c9", "ss", "\u00df", "\u00e6", "ae", "_x", "~x", "a\tb",
                                    "\u041a\u0438\u043b\u043e", "\u043a\u0438\u043b\u043e", "\u65e5\u672c"};
  for (const OrderedPair& pair : TextOrderCases()) texts.insert(texts.end(), {pair.first, pair.second});
  const auto sign = [](int order) { return (order > 0) - (order < 0); };
  for (const char* first : texts) {
    for (const char* second : texts) {
      EXPECT_EQ(sign(locale.SortKey(first).compare(locale.SortKey(second))), sign(locale.CompareText(first, second)))
          << '"' << first << "\" against \"" << second << '"';
    }
  }
}

}  // namespace zobl::testing
