#include "texture/texture_file.h"

namespace zobl {
namespace {

constexpr std::size_t kPixelOffsetField = 10;
constexpr std::size_t kInfoOffset = 14;
constexpr std::uint32_t kBitmapInfoHeader = 40;
constexpr std::uint32_t kBitmapV4Header = 108;
constexpr std::uint32_t kBitmapV5Header = 124;
constexpr std::uint32_t kUncompressed = 0;  // BI_RGB
constexpr std::uint32_t kMostColours = 256;

// Byte by byte: the fields sit at offsets that need not be aligned.
std::uint32_t ReadU32(std::span<const std::uint8_t> bytes, std::size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

std::uint16_t ReadU16(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

bool IsKnownDepth(std::uint16_t bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// Image editors write the two newer headers by default; their first 40 bytes are the
// classic header, which is all the blit reads of them.
bool IsKnownInfoSize(std::uint32_t size) {
  return size == kBitmapInfoHeader || size == kBitmapV4Header || size == kBitmapV5Header;
}

// The colour entries the blit reads behind the info header: as many as the header says
// are used, or a full table for the depth when it says none.
std::size_t ColourEntries(std::uint16_t bits, std::uint32_t used) {
  if (used != 0) return used;
  return bits <= 8 ? std::size_t{1} << bits : 0;
}

}  // namespace

std::optional<TextureFormat> CheckTextureFile(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kInfoOffset + kBitmapInfoHeader) return std::nullopt;
  const std::uint32_t infoSize = ReadU32(bytes, kInfoOffset);
  if (!IsKnownInfoSize(infoSize) || bytes.size() < kInfoOffset + infoSize) return std::nullopt;
  const auto width = static_cast<std::int32_t>(ReadU32(bytes, 18));
  const auto height = static_cast<std::int32_t>(ReadU32(bytes, 22));
  const std::uint16_t bits = ReadU16(bytes, 28);
  // A negative height marks a top-down picture; the blit assumes bottom-up rows.
  if (width <= 0 || height <= 0) return std::nullopt;
  if (ReadU16(bytes, 26) != 1 || !IsKnownDepth(bits)) return std::nullopt;
  const std::uint32_t coloursUsed = ReadU32(bytes, 46);
  if (ReadU32(bytes, 30) != kUncompressed || coloursUsed > kMostColours) return std::nullopt;

  // The colour table follows the info header; the pixels are where the file header says,
  // which is never inside the headers or the table.
  const std::size_t tableEnd = kInfoOffset + infoSize + 4 * ColourEntries(bits, coloursUsed);
  const std::size_t pixelOffset = ReadU32(bytes, kPixelOffsetField);
  if (pixelOffset < tableEnd || bytes.size() < pixelOffset) return std::nullopt;
  // A row takes at most 2^33 bytes, so its size fits 64 bits; comparing by division
  // leaves no product or sum that could wrap.
  const std::uint64_t rowSize = (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4;
  const std::uint64_t available = bytes.size() - pixelOffset;
  if (rowSize > available / static_cast<std::uint64_t>(height)) return std::nullopt;
  return TextureFormat{width, height, kInfoOffset, pixelOffset};
}

}  // namespace zobl
