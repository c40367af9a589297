#include "platform/console_text.h"

namespace zobl {

std::string VisibleOnConsole(std::string_view text, bool keepLineBreaks) {
  constexpr std::string_view kStandIn = "\xEF\xBF\xBD";
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
    } else {
      visible += text[i];
    }
  }
  return visible;
}

}  // namespace zobl
