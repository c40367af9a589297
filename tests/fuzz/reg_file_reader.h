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

// Reads a Unicode registry file (UTF-16LE behind its byte-order mark) of the forms the
// program writes: the header, "[path]" lines, value lines (@ or a quoted name; quoted
// text, dword: or hex[(type)]: data whose lines may continue after a trailing
// backslash), blank lines, all ending in CR LF. Inside quotes the escapes are \\, \",
// \r and \n; quoted text is stored as UTF-16LE with its zero. Names come as UTF-8.
// Nothing when any line is of another form.
std::optional<std::vector<RegFileKey>> ReadRegFile(std::string_view file);

}  // namespace zobl::fuzzing
