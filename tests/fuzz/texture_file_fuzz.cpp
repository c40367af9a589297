// Feeds arbitrary files to CheckTextureFile and, for each one it accepts, tiles a few
// client areas with it: every piece must come from inside the picture, the pieces must
// cover the client exactly, and every row the blit reads must lie inside the file.
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "texture/texture_file.h"
#include "texture/texture_tiling.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

std::uint32_t Read(const std::uint8_t* data, std::size_t at, int count) {
  std::uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i) value = value << 8 | data[at + i];
  return value;
}

// Tiles a client that is at most about three pictures wide and high, so that a picture
// of one pixel still gives few pieces.
void CheckTiling(const zobl::TextureFormat& format, std::uint32_t size, int originX, int originY) {
  const int clientWidth = static_cast<int>((size & 0xffff) % (3ULL * format.width + 2));
  const int clientHeight = static_cast<int>((size >> 16) % (3ULL * format.height + 2));
  long long area = 0;
  zobl::ForEachTilePiece(clientWidth, clientHeight, format.width, format.height, originX, originY,
                         [&](const zobl::TilePiece& p) {
                           Check(p.width > 0 && p.height > 0);
                           Check(p.x >= 0 && p.x <= clientWidth - p.width);
                           Check(p.y >= 0 && p.y <= clientHeight - p.height);
                           Check(p.sourceX >= 0 && p.sourceX <= format.width - p.width);
                           Check(p.sourceRowFromBottom >= 0 && p.sourceRowFromBottom <= format.height - p.height);
                           // The screen shows picture pixel (X mod width, Y mod height).
                           if (originX >= 0) Check((originX + 0LL + p.x) % format.width == p.sourceX);
                           const int fromTop = format.height - p.sourceRowFromBottom - p.height;
                           if (originY >= 0) Check((originY + 0LL + p.y) % format.height == fromTop);
                           area += static_cast<long long>(p.width) * p.height;
                         });
  Check(area == static_cast<long long>(clientWidth) * clientHeight);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto format = zobl::CheckTextureFile(std::span(data, size));
  if (!format) return 0;
  Check(size >= 54 && format->width > 0 && format->height > 0 && format->infoOffset == 14);
  const std::uint32_t bits = Read(data, 28, 2);
  const std::uint64_t rowSize = (static_cast<std::uint64_t>(format->width) * bits + 31) / 32 * 4;
  Check(format->pixelOffset == Read(data, 10, 4) && format->pixelOffset >= 14 + Read(data, 14, 4));
  Check(format->pixelOffset + rowSize * static_cast<std::uint64_t>(format->height) <= size);

  // Bytes the check leaves alone (the signature, the reserved words, the image size)
  // choose the client areas and origins.
  const auto originX = static_cast<int>(Read(data, 2, 4));
  const auto originY = static_cast<int>(Read(data, 6, 4));
  const std::uint32_t clientSize = Read(data, 34, 4);
  CheckTiling(*format, clientSize, originX, originY);
  CheckTiling(*format, ~clientSize, originY, originX);
  CheckTiling(*format, clientSize, INT_MAX, INT_MIN);
  CheckTiling(*format, clientSize, format->width, format->height);
  return 0;
}
