#include "texture/texture_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace zobl::testing {
namespace {

void Put(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value, int count) {
  for (int i = 0; i < count; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> 8 * i);
}

// A sound file of the given shape: headers, a colour table of `colours` entries, zeroed
// rows behind it, the file header pointing at them.
std::vector<std::uint8_t> MakeBitmap(int width, int height, int bits, std::size_t colours, std::uint32_t info) {
  const std::size_t rowSize = (static_cast<std::size_t>(std::abs(width)) * bits + 31) / 32 * 4;
  const std::size_t pixels = 14 + info + 4 * colours;
  std::vector<std::uint8_t> bytes(pixels + rowSize * std::abs(height));
  Put(bytes, 0, 'B' | 'M' << 8, 2);
  Put(bytes, 10, static_cast<std::uint32_t>(pixels), 4);
  Put(bytes, 14, info, 4);
  Put(bytes, 18, static_cast<std::uint32_t>(width), 4);
  Put(bytes, 22, static_cast<std::uint32_t>(height), 4);
  Put(bytes, 26, 1, 2);
  Put(bytes, 28, bits, 2);
  return bytes;
}

TEST(TextureFileTest, AcceptsOnlyWhatTheBlitCanReadWhole) {
  const struct {
    const char* what;
    int width, height, bits;
    std::size_t colours;          // entries in the file's colour table
    std::size_t pixelOffset = 0;  // 0 when refused
    std::size_t keep = 0;         // bytes kept; 0 for all
    std::size_t at = 0;           // a 16-bit field to overwrite with `value`; 0 for none
    std::uint16_t value = 0;
    std::uint32_t info = 40;
  } cases[] = {
      // clang-format off
      {"24 bits, rows of 12 bytes", 3, 2, 24, 0, 54},
      {"8 bits, rows of 8 bytes", 5, 3, 8, 256, 1078},
      {"1 bit, 256 colours used", 33, 1, 1, 256, 1078, 0, 46, 256},
      {"4 bits, 16 colours", 7, 2, 4, 16, 118},
      {"8 bits, 20 colours used", 5, 3, 8, 20, 134, 0, 46, 20},
      {"info header of 108 bytes", 3, 2, 24, 0, 122, 0, 0, 0, 108},
      {"info header of 124 bytes, 8 bits", 5, 3, 8, 256, 1162, 0, 0, 0, 124},
      {"4 bits, pixels inside the colour table", 7, 2, 4, 8},
      {"pixels inside the info header", 3, 2, 24, 0, 0, 0, 10, 50},
      {"pixels further on, last row beyond the file", 3, 2, 24, 0, 0, 0, 10, 58},
      {"too short for the headers", 3, 2, 24, 0, 0, 53},
      {"24 bits, last row a byte short", 3, 2, 24, 0, 0, 77},
      {"8 bits, last row a byte short", 5, 3, 8, 256, 0, 1101},
      {"1 bit, 33 pixels take two words, a byte short", 33, 1, 1, 2, 0, 69},
      {"top-down", 3, -2, 24, 0},
      {"no width", 0, 2, 24, 0},
      {"3 bits per pixel", 3, 2, 3, 0},
      {"65539 pixels wide, rows beyond the file", 3, 2, 24, 0, 0, 0, 20, 1},
      {"info header of 12 bytes", 3, 2, 24, 0, 0, 0, 14, 12},
      {"info header of 64 bytes", 3, 2, 24, 0, 0, 0, 0, 0, 64},
      {"run-length encoded", 5, 3, 8, 256, 0, 0, 30, 1},
      {"bit fields in a 124-byte header", 2, 2, 32, 0, 0, 0, 30, 3, 124},
      {"two planes", 3, 2, 24, 0, 0, 0, 26, 2},
      {"257 colours used, a table that holds them", 5, 3, 8, 257, 0, 0, 46, 257},
      // clang-format on
  };
  for (const auto& c : cases) {
    auto bytes = MakeBitmap(c.width, c.height, c.bits, c.colours, c.info);
    if (c.at != 0) Put(bytes, c.at, c.value, 2);
    if (c.keep != 0) bytes.resize(c.keep);
    const auto format = CheckTextureFile(bytes);
    ASSERT_EQ(format.has_value(), c.pixelOffset != 0) << c.what;
    if (!format) continue;
    EXPECT_EQ(format->width, c.width) << c.what;
    EXPECT_EQ(format->height, c.height) << c.what;
    EXPECT_EQ(format->infoOffset, 14u) << c.what;
    EXPECT_EQ(format->pixelOffset, c.pixelOffset) << c.what;
  }
}

}  // namespace
}  // namespace zobl::testing
