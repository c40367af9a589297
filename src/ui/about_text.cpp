#include "ui/about_text.h"

#include <stdexcept>

namespace zobl {

std::string WithWindowsLineBreaks(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      out += "\r\n";
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (text[i] == '\n') {
      out += "\r\n";
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string LoadAboutText(TextFileReader& files) {
  const auto text = files.ReadWholeFile(kAboutFileName);
  if (!text) throw std::runtime_error(std::string("Cannot open file ") + kAboutFileName);
  // The text is UTF-8, which an editor may have begun with a byte-order mark.
  std::string_view body(*text);
  if (body.starts_with("\xEF\xBB\xBF")) body.remove_prefix(3);
  return WithWindowsLineBreaks(body);
}

}  // namespace zobl
