#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

namespace zobl::fuzzing {

struct RegFileKey {
  std::string path;
  std::vector<RegistryValue> values;
};

// Reads REGEDIT4 text of the forms the program writes: the header, "[path]" lines,
// value lines (@ or a quoted name; quoted text, dword: or hex[(type)]: data whose lines
// may continue after a trailing backslash), blank lines, all ending in CR LF. Inside
// quotes the escapes are \\, \", \r and \n. Nothing when any line is of another form.
std::optional<std::vector<RegFileKey>> ReadRegFile(std::string_view text);

}  // namespace zobl::fuzzing
