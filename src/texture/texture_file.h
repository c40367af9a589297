#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace zobl {

// Where a loaded texture file keeps what a blit needs: a Windows bitmap file, its file
// header (14 bytes), its info header (40 bytes) with a colour table of 256 entries behind
// it unless the picture has 24 bits per pixel, then the pixel rows, bottom row first.
struct TextureFormat {
  int width = 0;                // pixels
  int height = 0;               // pixels; rows stored bottom-up
  std::size_t infoOffset = 14;  // the info header and colour table, handed to the blit
  std::size_t pixelOffset = 0;  // 54 for 24 bits per pixel, else 1078
};

// The picture's format when the bytes hold everything a blit of the whole picture reads:
// both headers, an info header of 40 bytes, one plane, no compression, 1, 4, 8, 16, 24
// or 32 bits per pixel, at most 256 colours used, a positive width and height, the
// colour table unless 24 bits per pixel, and every pixel row. Nothing otherwise: such
// a file paints nothing.
std::optional<TextureFormat> CheckTextureFile(std::span<const std::uint8_t> bytes);

}  // namespace zobl
