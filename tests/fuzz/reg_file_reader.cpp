#include "reg_file_reader.h"

#include <cstdint>

#include "platform/utf16_text.h"

namespace zobl::fuzzing {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// The text split at CR LF; nothing when a line holds a CR or LF of its own, where a
// reader would end it too, or the text does not end in CR LF.
std::optional<std::vector<std::string_view>> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find(kLineEnd);
    if (end == std::string_view::npos) return std::nullopt;
    const std::string_view line = text.substr(0, end);
    if (line.find_first_of("\r\n") != std::string_view::npos) return std::nullopt;
    lines.push_back(line);
    text.remove_prefix(end + kLineEnd.size());
  }
  return lines;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A quoted text at the start of `line`, unescaped; the line is left after the closing quote.
std::optional<std::string> TakeQuoted(std::string_view& line) {
  if (line.empty() || line.front() != '"') return std::nullopt;
  std::string text;
  for (std::size_t i = 1; i < line.size(); ++i) {
    if (line[i] == '"') {
      line.remove_prefix(i + 1);
      return text;
    }
    if (line[i] != '\\') {
      text += line[i];
      continue;
    }
    if (++i == line.size()) return std::nullopt;
    switch (line[i]) {
      case '\\':
      case '"': text += line[i]; break;
      case 'r': text += '\r'; break;
      case 'n': text += '\n'; break;
      default: return std::nullopt;
    }
  }
  return std::nullopt;
}

bool TakePrefix(std::string_view& line, std::string_view prefix) {
  if (!line.starts_with(prefix)) return false;
  line.remove_prefix(prefix.size());
  return true;
}

// Comma-separated byte pairs; a trailing backslash continues them on the next line,
// after its leading blanks.
std::optional<std::string> TakeHexBytes(std::string_view line,
                                        const std::vector<std::string_view>& lines,
                                        std::size_t& next) {
  std::string bytes;
  while (true) {
    const bool continued = line.ends_with('\\');
    if (continued) line.remove_suffix(1);
    while (!line.empty()) {
      if (line.size() < 2 || HexDigit(line[0]) < 0 || HexDigit(line[1]) < 0) return std::nullopt;
      bytes += static_cast<char>(HexDigit(line[0]) * 16 + HexDigit(line[1]));
      line.remove_prefix(2);
      if (line.empty()) break;
      if (!TakePrefix(line, ",")) return std::nullopt;
      if (line.empty() && !continued) return std::nullopt;  // a comma with no byte behind it
    }
    if (!continued) return bytes;
    if (next == lines.size()) return std::nullopt;
    line = lines[next++];
    while (line.starts_with(' ')) line.remove_prefix(1);
  }
}

std::optional<RegistryValue> TakeValue(std::string_view line,
                                       const std::vector<std::string_view>& lines,
                                       std::size_t& next) {
  RegistryValue value;
  if (!TakePrefix(line, "@")) {
    std::optional<std::string> name = TakeQuoted(line);
    if (!name) return std::nullopt;
    value.name = std::move(*name);
  }
  if (!TakePrefix(line, "=")) return std::nullopt;

  if (line.starts_with('"')) {
    std::optional<std::string> text = TakeQuoted(line);
    if (!text || !line.empty()) return std::nullopt;
    const std::optional<std::u16string> units = Utf16FromUtf8(*text);
    if (!units) return std::nullopt;
    value.type = 1;
    value.bytes = Utf16LeBytes(*units + u'\0');
    return value;
  }
  if (TakePrefix(line, "dword:")) {
    if (line.size() != 8) return std::nullopt;
    std::uint32_t number = 0;
    for (const char c : line) {
      if (HexDigit(c) < 0) return std::nullopt;
      number = number << 4 | static_cast<std::uint32_t>(HexDigit(c));
    }
    value.type = 4;
    for (int i = 0; i < 4; ++i) value.bytes += static_cast<char>(number >> (8 * i) & 0xFF);
    return value;
  }
  if (TakePrefix(line, "hex:")) {
    value.type = 3;
  } else if (TakePrefix(line, "hex(")) {
    const std::size_t close = line.find("):");
    if (close == 0 || close == std::string_view::npos || close > 8) return std::nullopt;
    for (const char c : line.substr(0, close)) {
      if (HexDigit(c) < 0) return std::nullopt;
      value.type = value.type << 4 | static_cast<std::uint32_t>(HexDigit(c));
    }
    line.remove_prefix(close + 2);
  } else {
    return std::nullopt;
  }
  std::optional<std::string> bytes = TakeHexBytes(line, lines, next);
  if (!bytes) return std::nullopt;
  value.bytes = std::move(*bytes);
  return value;
}

}  // namespace

std::optional<std::vector<RegFileKey>> ReadRegFile(std::string_view file) {
  if (!file.starts_with("\xFF\xFE")) return std::nullopt;
  const std::optional<std::u16string> units = Utf16FromLeBytes(file.substr(2));
  const std::optional<std::string> text = units ? Utf8FromUtf16(*units) : std::nullopt;
  if (!text) return std::nullopt;
  const auto lines = SplitLines(*text);
  if (!lines || lines->empty() || (*lines)[0] != "Windows Registry Editor Version 5.00") return std::nullopt;
  std::vector<RegFileKey> keys;
  for (std::size_t next = 1; next < lines->size();) {
    const std::string_view line = (*lines)[next++];
    if (line.empty()) continue;
    if (line.front() == '[') {
      if (line.size() < 2 || line.back() != ']') return std::nullopt;
      keys.push_back({std::string(line.substr(1, line.size() - 2)), {}});
      continue;
    }
    if (keys.empty()) return std::nullopt;  // a value outside any key
    std::optional<RegistryValue> value = TakeValue(line, *lines, next);
    if (!value) return std::nullopt;
    keys.back().values.push_back(std::move(*value));
  }
  return keys;
}

}  // namespace zobl::fuzzing
