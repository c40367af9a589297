#include "platform/console_text.h"

namespace zobl {
namespace {

constexpr std::string_view kStandIn = "\xEF\xBF\xBD";

// The characters that reorder or hide the text around them, or end a line, in UTF-8:
// U+061C, U+200B-U+200F, U+2028-U+202E, U+2060-U+2064, U+2066-U+2069 and U+FEFF. A registry
// text holding them could make a line read otherwise than it is.
bool IsHidingCharacter(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return at + i < text.size() ? static_cast<unsigned char>(text[at + i]) : 0; };
  if (byte(0) == 0xD8) return byte(1) == 0x9C;
  if (byte(0) == 0xEF) return byte(1) == 0xBB && byte(2) == 0xBF;
  if (byte(0) != 0xE2) return false;
  const unsigned last = byte(2);
  if (byte(1) == 0x80) return (last >= 0x8B && last <= 0x8F) || (last >= 0xA8 && last <= 0xAE);
  if (byte(1) == 0x81) return (last >= 0xA0 && last <= 0xA4) || (last >= 0xA6 && last <= 0xA9);
  return false;
}

}  // namespace

std::string VisibleOnConsole(std::string_view text, bool keepLineBreaks) {
  std::string visible;
  visible.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const bool lineBreak = byte == '\r' || byte == '\n';
    if (byte < 0x20 && !(keepLineBreaks && lineBreak)) {
      visible += kStandIn;
    } else if (byte == 0x7F) {
      visible += kStandIn;
    } else if (byte == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
               static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
      visible += kStandIn;  // U+0080 to U+009F, the C1 controls
      ++i;
    } else if (IsHidingCharacter(text, i)) {
      visible += kStandIn;
      i += byte == 0xD8 ? 1 : 2;
    } else {
      visible += text[i];
    }
  }
  return visible;
}

}  // namespace zobl
