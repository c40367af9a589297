// Writes arbitrary values (names, types, stored bytes) of a key with an arbitrary name
// (that a key line can hold) as a Unicode registry file: the text converts whole, and
// continued hex lines stay narrow. That the registry's own reader brings every value back
// is checked under Wine with `reg import` (tests/win/descriptor_removal_test.cpp), by a
// reader this program's hand did not write.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_checks.h"
#include "input_fields.h"
#include "inventory/reg_file_text.h"
#include "platform/utf16_text.h"

namespace {

using zobl::RegistryValue;
using zobl::fuzzing::Check;
using zobl::fuzzing::InputFields;

// The types the program meets most, and now and then any number at all.
std::uint32_t TakeType(InputFields& fields) {
  static constexpr std::uint32_t kTypes[] = {0, 1, 2, 3, 4, 7, 11};
  const std::uint8_t choice = fields.Byte();
  if (choice < 7 * 32) return kTypes[choice % 7];
  std::uint32_t type = 0;
  for (int i = 0; i < 4; ++i) type = type << 8 | fields.Byte();
  return type;
}

// Names as the registry hands them over: UTF-8, no zero inside.
std::string TakeName(InputFields& fields) {
  std::string name = fields.Text(fields.Byte() % 64);
  std::erase(name, '\0');
  return name;
}

// Lines after a value's first one are continued hex lines: at most 80 characters.
void CheckContinuedLines(std::string_view lines) {
  std::size_t end = lines.find("\r\n");
  while ((end = lines.find("\r\n", end + 2)) != std::string_view::npos) {
    const std::size_t begin = lines.rfind("\r\n", end - 1) + 2;
    Check(end - begin <= 80);
  }
}

// A value's lines: its first names it (quoted, or @ for the default value), the others
// continue its hex data. No name or text may break out into a line of its own, where a
// reader would take it for a new key or value.
void CheckValueLines(std::string_view lines) {
  for (std::size_t begin = 0; begin < lines.size();) {
    const std::size_t end = lines.find("\r\n", begin);
    Check(end != std::string_view::npos);
    const std::string_view line = lines.substr(begin, end - begin);
    Check(begin == 0 ? line.starts_with('"') || line.starts_with('@') : line.starts_with("  "));
    begin = end + 2;
  }
}

}  // namespace

// Input: the key's name, then values until the input ends: a type, a name, and the
// data's length (two bytes) and bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  InputFields fields(std::string_view(reinterpret_cast<const char*>(data), size));
  std::string path = "HKEY_CURRENT_USER\\Software\\" + TakeName(fields);
  // A key line has no escapes; a descriptor under such a name is not copied at all.
  if (!zobl::FitsRegFileKeyLine(path)) {
    std::erase(path, '\r');
    std::erase(path, '\n');
    Check(zobl::FitsRegFileKeyLine(path));
  }
  std::string text = zobl::kRegFileHeader + zobl::RegFileKeyLine(path);
  while (!fields.Empty()) {
    RegistryValue value;
    value.type = TakeType(fields);
    value.name = TakeName(fields);
    const std::size_t length = fields.Byte() | static_cast<std::size_t>(fields.Byte() & 0x07) << 8;
    value.bytes = fields.Bytes(length);
    const std::string lines = zobl::RegFileValueLines(value);
    CheckContinuedLines(lines);
    CheckValueLines(lines);
    text += lines;
  }
  text += "\r\n";
  const std::optional<std::string> file = zobl::RegFileBytes(text);
  Check(file.has_value());

  Check(zobl::Utf8FromUtf16(*zobl::Utf16FromLeBytes(*file)) == text);
  return 0;
}
