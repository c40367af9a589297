#include "inventory/reg_file_text.h"

#include <algorithm>

namespace zobl {
namespace {

constexpr std::uint32_t kTypeString = 1;
constexpr std::uint32_t kTypeBinary = 3;
constexpr std::uint32_t kTypeDword = 4;

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
// bytes: one terminating zero, no zero before it, and no line break, which not every
// reader takes back from an escape. Any other string value is written as its bytes.
bool IsPlainText(std::string_view bytes) {
  if (bytes.empty() || bytes.back() != '\0') return false;
  const std::string_view text = bytes.substr(0, bytes.size() - 1);
  return std::none_of(text.begin(), text.end(), [](char c) { return c == '\0' || c == '\r' || c == '\n'; });
}

void AppendHexByte(std::string& out, unsigned char byte) {
  constexpr char kDigits[] = "0123456789abcdef";
  out += kDigits[byte >> 4];
  out += kDigits[byte & 0x0F];
}

std::string HexPrefix(std::uint32_t type) {
  if (type == kTypeBinary) return "hex:";
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

  if (value.type == kTypeString && IsPlainText(value.bytes)) {
    AppendQuoted(out, std::string_view(value.bytes).substr(0, value.bytes.size() - 1));
    out += "\r\n";
    return out;
  }
  if (value.type == kTypeDword && value.bytes.size() == 4) {
    out += "dword:";
    for (int i = 3; i >= 0; --i)
      AppendHexByte(out, static_cast<unsigned char>(value.bytes[static_cast<std::size_t>(i)]));
    out += "\r\n";
    return out;
  }

  out += HexPrefix(value.type);
  std::size_t lineStart = 0;
  for (std::size_t i = 0; i < value.bytes.size(); ++i) {
    AppendHexByte(out, static_cast<unsigned char>(value.bytes[i]));
    if (i + 1 == value.bytes.size()) break;
    out += ',';
    if (out.size() - lineStart >= kHexLineLength) {
      out += "\\\r\n";
      lineStart = out.size();
      out += "  ";
    }
  }
  out += "\r\n";
  return out;
}

}  // namespace zobl
