#include "platform/utf8.h"
#include "platform/console_text.h"

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

// What a console is given of a text: line breaks only where the program's lines need them;
// other scripts' characters, C1's neighbours included, as they are.
TEST(VisibleOnConsole, ControlCharactersBecomeTheStandIn) {
  const struct {
    const char* text;
    bool keepLineBreaks;
    const char* shown;
  } cases[] = {
      {"a\x1B[31mb\x07", true, "a\xEF\xBF\xBD[31mb\xEF\xBF\xBD"},
      {"x\r\ny\tz\x7F", true, "x\r\ny\xEF\xBF\xBDz\xEF\xBF\xBD"},
      {"x\r\n", false, "x\xEF\xBF\xBD\xEF\xBF\xBD"},
      {"\xC2\x9B\xC2\x9F\xC2\xA0\xC3\x80\xD0\x9F", true, "\xEF\xBF\xBD\xEF\xBF\xBD\xC2\xA0\xC3\x80\xD0\x9F"},
      // U+202E, U+200B, U+2028, U+061C, U+FEFF, U+2066 hide or reorder text even where line
      // breaks stay; U+202F, U+2030, U+2065, U+061B and U+FEFE beside them are text.
      {"a\xE2\x80\xAE" "b\xE2\x80\x8B" "c\xE2\x80\xA8" "d\xD8\x9C" "e\xEF\xBB\xBF" "f\xE2\x81\xA6", true,
       "a\xEF\xBF\xBD" "b\xEF\xBF\xBD" "c\xEF\xBF\xBD" "d\xEF\xBF\xBD" "e\xEF\xBF\xBD" "f\xEF\xBF\xBD"},
      {"\xE2\x80\xAF\xE2\x80\xB0\xE2\x81\xA5\xD8\x9B\xEF\xBB\xBE", false,
       "\xE2\x80\xAF\xE2\x80\xB0\xE2\x81\xA5\xD8\x9B\xEF\xBB\xBE"},
  };
  for (const auto& c : cases) EXPECT_EQ(VisibleOnConsole(c.text, c.keepLineBreaks), c.shown) << c.text;
}

}  // namespace
}  // namespace zobl::testing
