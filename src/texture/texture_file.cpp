#include "texture/texture_file.h"

namespace zobl {
namespace {

constexpr std::size_t kInfoOffset = 14;
constexpr std::size_t kInfoSize = 40;
constexpr std::size_t kHeadersEnd = kInfoOffset + kInfoSize;
// The blit is always handed a full table of 256 entries, whatever the picture uses.
constexpr std::size_t kColourTableEnd = kHeadersEnd + 256 * 4;

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

}  // namespace

std::optional<TextureFormat> CheckTextureFile(std::span<const std::uint8_t> bytes) {
  // The file header is left alone: neither its signature nor its stored pixel offset is
  // what the blit goes by.
  if (bytes.size() < kHeadersEnd) return std::nullopt;
  if (ReadU32(bytes, kInfoOffset) != kInfoSize) return std::nullopt;
  const auto width = static_cast<std::int32_t>(ReadU32(bytes, 18));
  const auto height = static_cast<std::int32_t>(ReadU32(bytes, 22));
  const std::uint16_t bits = ReadU16(bytes, 28);
  // A negative height marks a top-down picture; the blit assumes bottom-up rows.
  if (width <= 0 || height <= 0) return std::nullopt;
  if (ReadU16(bytes, 26) != 1 || !IsKnownDepth(bits)) return std::nullopt;
  if (ReadU32(bytes, 30) != 0 || ReadU32(bytes, 46) > 256) return std::nullopt;

  const std::size_t pixelOffset = bits == 24 ? kHeadersEnd : kColourTableEnd;
  if (bytes.size() < pixelOffset) return std::nullopt;
  // A row takes at most 2^33 bytes, so its size fits 64 bits; comparing by division
  // leaves no product or sum that could wrap.
  const std::uint64_t rowSize = (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4;
  const std::uint64_t available = bytes.size() - pixelOffset;
  if (rowSize > available / static_cast<std::uint64_t>(height)) return std::nullopt;
  return TextureFormat{width, height, kInfoOffset, pixelOffset};
}

}  // namespace zobl
