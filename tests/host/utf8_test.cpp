#include "platform/utf8.h"

#include <gtest/gtest.h>

namespace zobl::testing {
namespace {

TEST(Utf8FitLength, CutsOnlyBetweenCharacters) {
  const std::string_view text = "a\xD0\x9F\xE3\x83\x97\xF0\x9F\x98\x80";  // a, П, プ, 😀: 1 + 2 + 3 + 4 bytes
  const struct {
    std::size_t capacity, length;
  } cases[] = {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 3}, {6, 3}, {7, 6}, {10, 6}, {11, 10}, {99, 10}};
  for (const auto& c : cases) EXPECT_EQ(Utf8FitLength(text, c.capacity), c.length) << c.capacity;
}

}  // namespace
}  // namespace zobl::testing
