#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/registry.h"

namespace zobl {

// Registry contents as a Unicode registry file, which the registry editor and `reg import`
// read back whatever the script of its texts. The text is made as UTF-8, like every text
// of the program, and the file holds it as UTF-16LE behind a byte-order mark; lines end
// in CR LF.
inline constexpr char kRegFileHeader[] = "Windows Registry Editor Version 5.00\r\n\r\n";
inline constexpr char kRegFileByteOrderMark[] = "\xFF\xFE";

// "[path]" and its line end. A key line has no escapes: the path holds no line break.
std::string RegFileKeyLine(std::string_view keyPath);

// Whether a key path can stand in a key line.
bool FitsRegFileKeyLine(std::string_view keyPath);

// One value's line (or lines: long hex data continues on further lines, each ending in
// a backslash), written so that importing it restores the same type and stored bytes.
std::string RegFileValueLines(const RegistryValue& value);

// The text as the file holds it; nothing when it is no UTF-8, which would not come back.
std::optional<std::string> RegFileBytes(std::string_view text);

// A new file's first bytes: the byte-order mark and the header.
std::string RegFileStart();
// The bytes every such file begins with: the byte-order mark and the header's first line.
std::string RegFileSignature();

}  // namespace zobl
