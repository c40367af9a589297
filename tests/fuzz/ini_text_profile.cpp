#include "ini_text_profile.h"

#include <algorithm>

#include "platform/path_rules.h"

namespace zobl::fuzzing {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && (IsBlank(text.back()) || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

}  // namespace

std::optional<IniTextProfile::KeyLine> IniTextProfile::Find(std::string_view key) const {
  for (std::size_t begin = 0; begin < text_.size();) {
    const std::size_t end = std::min(text_.find('\n', begin), text_.size());
    const std::string_view line = TrimBlanks(std::string_view(text_).substr(begin, end - begin));
    if (!line.empty() && line.front() == '[') return std::nullopt;  // the next section
    const std::size_t equals = line.find('=');
    if (equals != std::string_view::npos && EqualIgnoringAsciiCase(TrimBlanks(line.substr(0, equals)), key)) {
      return KeyLine{begin, end, TrimBlanks(line.substr(equals + 1))};
    }
    begin = end + 1;
  }
  return std::nullopt;
}

unsigned IniTextProfile::ReadInt(const char* key, unsigned defaultValue) {
  const std::optional<KeyLine> line = Find(key);
  if (!line || line->value.empty()) return defaultValue;
  std::string_view value = line->value;
  bool negative = false;
  if (value.front() == '-' || value.front() == '+') {
    negative = value.front() == '-';
    value.remove_prefix(1);
  }
  unsigned number = 0;
  for (const char c : value) {
    if (c < '0' || c > '9') break;
    number = number * 10 + static_cast<unsigned>(c - '0');
  }
  return negative ? 0u - number : number;
}

bool IniTextProfile::WriteString(const char* key, const char* value) {
  if (failWrites_) return false;
  const std::string line = std::string(key) + '=' + value;
  if (const std::optional<KeyLine> found = Find(key)) {
    const bool crlf = found->end > found->begin && text_[found->end - 1] == '\r';
    text_.replace(found->begin, found->end - found->begin - (crlf ? 1 : 0), line);
  } else {
    text_.insert(0, line + "\r\n");
  }
  return true;
}

}  // namespace zobl::fuzzing
