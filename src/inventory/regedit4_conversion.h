#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace zobl {

// Earlier versions kept the backup as a REGEDIT4 file: 8-bit text in the system's code
// page (the ANSI one, whatever the process's own is), string data written as hex in
// that code page too. Appending Unicode text to it would spoil both, so such a file is
// converted once.

// 8-bit text of the system's code page as UTF-16; nothing when some bytes have no
// character there.
using SystemTextDecoder = std::function<std::optional<std::u16string>(std::string_view)>;

inline constexpr char kRegedit4Signature[] = "REGEDIT4";
inline constexpr std::size_t kRegedit4SignatureLength = sizeof kRegedit4Signature - 1;

// Whether a file that begins with `start` (at least its first kRegedit4SignatureLength
// bytes, when it has them) is a REGEDIT4 file.
bool IsRegedit4File(std::string_view start);

// The REGEDIT4 file as the text of a Unicode registry file (UTF-8, for RegFileBytes),
// header included and every line kept: comments, key lines, values. Texts are read in
// the system's code page, as `reg import` reads such a file, and string data written
// as hex (types 1, 2 and 7) become the UTF-16LE the registry stores; other data keep
// their bytes. Nothing when any of it cannot be converted exactly.
std::optional<std::string> RegFileTextFromRegedit4(std::string_view file, const SystemTextDecoder& decode);

}  // namespace zobl
