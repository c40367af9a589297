// Writes arbitrary values (names, types, stored bytes) of a key with an arbitrary name
// (that a key line can hold) as a Unicode registry file, reads the file back with a
// reader of its own, and checks that exactly the same key and values come back, and
// that continued hex lines stay narrow.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_checks.h"
#include "input_fields.h"
#include "inventory/reg_file_text.h"
#include "reg_file_reader.h"

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
  std::vector<RegistryValue> values;
  std::string text = zobl::kRegFileHeader + zobl::RegFileKeyLine(path);
  while (!fields.Empty()) {
    RegistryValue value;
    value.type = TakeType(fields);
    value.name = TakeName(fields);
    const std::size_t length = fields.Byte() | static_cast<std::size_t>(fields.Byte() & 0x07) << 8;
    value.bytes = fields.Bytes(length);
    const std::string lines = zobl::RegFileValueLines(value);
    CheckContinuedLines(lines);
    text += lines;
    values.push_back(std::move(value));
  }
  text += "\r\n";
  const std::optional<std::string> file = zobl::RegFileBytes(text);
  Check(file.has_value());

  const auto keys = zobl::fuzzing::ReadRegFile(zobl::kRegFileByteOrderMark + *file);
  Check(keys.has_value() && keys->size() == 1);
  const zobl::fuzzing::RegFileKey& key = keys->front();
  Check(key.path == path && key.values.size() == values.size());
  for (std::size_t i = 0; i < values.size(); ++i) {
    Check(key.values[i].name == values[i].name);
    Check(key.values[i].type == values[i].type);
    Check(key.values[i].bytes == values[i].bytes);
  }
  return 0;
}
