#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace zobl {

// Where a loaded texture file keeps what a blit needs: a Windows bitmap file, its file
// header (14 bytes), an info header of 40, 108 or 124 bytes and the colour table behind
// it, then the pixel rows, bottom row first, from the offset the file header gives.
struct TextureFormat {
  int width = 0;                // pixels
  int height = 0;               // pixels; rows stored bottom-up
  std::size_t infoOffset = 14;  // the info header and colour table, handed to the blit
  std::size_t pixelOffset = 0;  // from the file header
};

// The picture's format when the bytes hold everything a blit of the whole picture reads:
// both headers, an info header of 40, 108 or 124 bytes, one plane, no compression, 1, 4,
// 8, 16, 24 or 32 bits per pixel, at most 256 colours used, a positive width and height,
// the colour table the depth needs, and every pixel row. Nothing otherwise: such a file
// paints nothing.
std::optional<TextureFormat> CheckTextureFile(std::span<const std::uint8_t> bytes);

}  // namespace zobl
