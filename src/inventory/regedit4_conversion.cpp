#include "inventory/regedit4_conversion.h"

#include <cstdint>
#include <vector>

#include "inventory/reg_file_text.h"
#include "platform/utf16_text.h"
#include "platform/registry.h"

namespace zobl {
namespace {

// Lines end in CR LF as the program wrote them; a bare LF, as an editor may leave, too.
std::vector<std::string_view> SplitLines(std::string_view file) {
  std::vector<std::string_view> lines;
  while (!file.empty()) {
    const std::size_t end = file.find('\n');
    std::string_view line = file.substr(0, end);
    if (line.ends_with('\r')) line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    file.remove_prefix(end + 1);
  }
  return lines;
}

bool TakePrefix(std::string_view& line, std::string_view prefix) {
  if (!line.starts_with(prefix)) return false;
  line.remove_prefix(prefix.size());
  return true;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A quoted text at the front of the line, its escapes undone byte by byte, as they were
// made: in a double-byte code page a trail byte may be a backslash or a quote.
std::optional<std::string> TakeQuoted(std::string_view& line) {
  if (!TakePrefix(line, "\"")) return std::nullopt;
  std::string text;
  for (std::size_t i = 0; i < line.size(); ++i) {
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

// Comma-separated byte pairs; a trailing backslash continues them on the next line.
std::optional<std::string> TakeHexBytes(std::string_view data,
                                        const std::vector<std::string_view>& lines,
                                        std::size_t& next) {
  std::string bytes;
  while (true) {
    while (data.starts_with(' ') || data.starts_with('\t')) data.remove_prefix(1);
    if (data.empty()) return bytes;
    if (data == "\\") {
      if (next == lines.size()) return std::nullopt;
      data = lines[next++];
      continue;
    }
    if (data.size() < 2 || HexDigit(data[0]) < 0 || HexDigit(data[1]) < 0) return std::nullopt;
    bytes += static_cast<char>(HexDigit(data[0]) * 16 + HexDigit(data[1]));
    data.remove_prefix(2);
    while (data.starts_with(' ')) data.remove_prefix(1);
    if (!data.empty() && !TakePrefix(data, ",") && data != "\\") return std::nullopt;
  }
}

std::optional<std::uint32_t> TakeHexNumber(std::string_view digits) {
  if (digits.empty() || digits.size() > 8) return std::nullopt;
  std::uint32_t number = 0;
  for (const char c : digits) {
    if (HexDigit(c) < 0) return std::nullopt;
    number = number << 4 | static_cast<std::uint32_t>(HexDigit(c));
  }
  return number;
}

std::optional<std::string> Decoded(std::string_view bytes, const SystemTextDecoder& decode) {
  const std::optional<std::u16string> units = decode(bytes);
  if (!units) return std::nullopt;
  return Utf8FromUtf16(*units);
}

std::optional<std::string> DecodedStored(std::string_view bytes, const SystemTextDecoder& decode) {
  const std::optional<std::u16string> units = decode(bytes);
  if (!units) return std::nullopt;
  return Utf16LeBytes(*units);
}

// A value line (and the lines its hex data continues on) as the value it describes, in
// the form the registry stores; nothing when it is of no form the earlier versions wrote.
std::optional<RegistryValue> TakeValue(std::string_view line,
                                       const std::vector<std::string_view>& lines,
                                       std::size_t& next,
                                       const SystemTextDecoder& decode) {
  RegistryValue value;
  if (!TakePrefix(line, "@")) {
    const std::optional<std::string> name = TakeQuoted(line);
    const std::optional<std::string> decodedName = name ? Decoded(*name, decode) : std::nullopt;
    if (!decodedName) return std::nullopt;
    value.name = *decodedName;
  }
  if (!TakePrefix(line, "=")) return std::nullopt;

  if (line.starts_with('"')) {
    const std::optional<std::string> text = TakeQuoted(line);
    if (!text || !line.empty()) return std::nullopt;
    const std::optional<std::string> stored = DecodedStored(*text + '\0', decode);
    if (!stored) return std::nullopt;
    value.type = kTextType;
    value.bytes = *stored;
    return value;
  }
  if (TakePrefix(line, "dword:")) {
    const std::optional<std::uint32_t> number = TakeHexNumber(line);
    if (!number || line.size() != 8) return std::nullopt;
    value.type = kDwordType;
    for (int i = 0; i < 4; ++i) value.bytes += static_cast<char>(*number >> (8 * i) & 0xFF);
    return value;
  }
  if (TakePrefix(line, "hex:")) {
    value.type = kBinaryType;
  } else if (TakePrefix(line, "hex(")) {
    const std::size_t close = line.find("):");
    const std::optional<std::uint32_t> type =
        close == std::string_view::npos ? std::nullopt : TakeHexNumber(line.substr(0, close));
    if (!type) return std::nullopt;
    value.type = *type;
    line.remove_prefix(close + 2);
  } else {
    return std::nullopt;
  }
  std::optional<std::string> bytes = TakeHexBytes(line, lines, next);
  if (bytes && IsTextType(value.type)) bytes = DecodedStored(*bytes, decode);
  if (!bytes) return std::nullopt;
  value.bytes = std::move(*bytes);
  return value;
}

}  // namespace

bool IsRegedit4File(std::string_view start) { return start.starts_with(kRegedit4Signature); }

std::optional<std::string> RegFileTextFromRegedit4(std::string_view file, const SystemTextDecoder& decode) {
  const std::vector<std::string_view> lines = SplitLines(file);
  if (lines.empty() || lines.front() != kRegedit4Signature) return std::nullopt;
  std::string text(kRegFileHeader, sizeof kRegFileHeader - 3);  // the header line without the blank line
  for (std::size_t next = 1; next < lines.size();) {
    const std::string_view line = lines[next++];
    if (line.starts_with('"') || line.starts_with('@')) {
      const std::optional<RegistryValue> value = TakeValue(line, lines, next, decode);
      if (!value) return std::nullopt;
      text += RegFileValueLines(*value);
      continue;
    }
    // Comments, key lines and blank lines: key lines have no escapes, so the whole
    // line reads as text.
    const std::optional<std::string> decoded = Decoded(line, decode);
    if (!decoded) return std::nullopt;
    text += *decoded;
    text += "\r\n";
  }
  return text;
}

}  // namespace zobl
