#include "inventory/reg_file_text.h"

#include <algorithm>

#include "platform/utf16_text.h"

namespace zobl {
namespace {

// Hex data lines are broken once they reach this length, as the registry editor does,
// so that the file stays readable in any editor.
constexpr std::size_t kHexLineLength = 76;

// Inside quotes the backslash and the double quote need an escape, and so do line
// breaks, which would end the line: a value name, which has no other form, may hold
// them, and `reg import` reads \r and \n back as the breaks.
void AppendQuoted(std::string& out, std::string_view text) {
  out += '"';
  for (const char c : text) {
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else {
      if (c == '\\' || c == '"') out += '\\';
      out += c;
    }
  }
  out += '"';
}

// A string value is written as quoted text only when that text gives back exactly its
// stored bytes: whole UTF-16 with one terminating zero, no zero before it, and no line
// break, which not every reader takes back from an escape. Any other string value is
// written as its bytes.
std::optional<std::string> PlainText(std::string_view bytes) {
  const std::optional<std::u16string> units = Utf16FromLeBytes(bytes);
  if (!units || units->empty() || units->back() != u'\0') return std::nullopt;
  const std::u16string_view text = std::u16string_view(*units).substr(0, units->size() - 1);
  if (text.find_first_of(u"\0\r\n", 0, 3) != std::u16string_view::npos) return std::nullopt;
  return Utf8FromUtf16(text);
}

void AppendHexByte(std::string& out, unsigned char byte) {
  constexpr char kDigits[] = "0123456789abcdef";
  out += kDigits[byte >> 4];
  out += kDigits[byte & 0x0F];
}

std::string HexPrefix(std::uint32_t type) {
  if (type == kBinaryType) return "hex:";
  const std::string prefix = "hex(";
  constexpr char kDigits[] = "0123456789abcdef";
  std::string digits;
  for (std::uint32_t rest = type;; rest >>= 4) {
    digits.insert(digits.begin(), kDigits[rest & 0x0F]);
    if (rest < 16) break;
  }
  return prefix + digits + "):";
}

}  // namespace

std::string RegFileKeyLine(std::string_view keyPath) {
  std::string line = "[";
  line += keyPath;
  line += "]\r\n";
  return line;
}

bool FitsRegFileKeyLine(std::string_view keyPath) { return keyPath.find_first_of("\r\n") == std::string_view::npos; }

std::string RegFileValueLines(const RegistryValue& value) {
  std::string out;
  // The unnamed (default) value is written as @.
  if (value.name.empty()) {
    out += '@';
  } else {
    AppendQuoted(out, value.name);
  }
  out += '=';

  if (value.type == kTextType) {
    if (const std::optional<std::string> text = PlainText(value.bytes)) {
      AppendQuoted(out, *text);
      out += "\r\n";
      return out;
    }
  }
  if (value.type == kDwordType && value.bytes.size() == 4) {
    out += "dword:";
    for (int i = 3; i >= 0; --i)
      AppendHexByte(out, static_cast<unsigned char>(value.bytes[static_cast<std::size_t>(i)]));
    out += "\r\n";
    return out;
  }

  out += HexPrefix(value.type);
  // An editor shows characters, not UTF-8 bytes.
  auto column =
      static_cast<std::size_t>(std::count_if(out.begin(), out.end(), [](char c) { return (c & 0xC0) != 0x80; }));
  for (std::size_t i = 0; i < value.bytes.size(); ++i) {
    AppendHexByte(out, static_cast<unsigned char>(value.bytes[i]));
    if (i + 1 == value.bytes.size()) break;
    out += ',';
    column += 3;
    if (column >= kHexLineLength) {
      out += "\\\r\n  ";
      column = 2;
    }
  }
  out += "\r\n";
  return out;
}

std::optional<std::string> RegFileBytes(std::string_view text) {
  const std::optional<std::u16string> units = Utf16FromUtf8(text);
  if (!units) return std::nullopt;
  return Utf16LeBytes(*units);
}

std::string RegFileStart() { return kRegFileByteOrderMark + *RegFileBytes(kRegFileHeader); }

std::string RegFileSignature() {
  const std::string_view header(kRegFileHeader);
  return kRegFileByteOrderMark + *RegFileBytes(header.substr(0, header.find('\r')));
}

}  // namespace zobl
