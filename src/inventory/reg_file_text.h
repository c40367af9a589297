#pragma once

#include <string>
#include <string_view>

#include "platform/registry.h"

namespace zobl {

// Registry contents as the text of a REGEDIT4 file, which the registry editor and
// `reg import` read back: ANSI text, lines ending in CR LF.
inline constexpr char kRegFileHeader[] = "REGEDIT4\r\n\r\n";

// "[path]" and its line end. A key line has no escapes: the path holds no line break.
std::string RegFileKeyLine(std::string_view keyPath);

// Whether a key path can stand in a key line.
bool FitsRegFileKeyLine(std::string_view keyPath);

// One value's line (or lines: long hex data continues on further lines, each ending in
// a backslash), written so that importing it restores the same type and bytes.
std::string RegFileValueLines(const RegistryValue& value);

}  // namespace zobl
