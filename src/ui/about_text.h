#pragma once

#include <string>
#include <string_view>

#include "platform/text_file.h"

namespace zobl {

inline constexpr char kAboutFileName[] = "readme.txt";  // in the working directory

// The text as an edit control shows it: every line break (CR LF, a lone CR or a lone
// LF) as CR LF.
std::string WithWindowsLineBreaks(std::string_view text);

// The About text, read from "readme.txt" as UTF-8; a failure carries the message the
// user sees.
std::string LoadAboutText(TextFileReader& files);

}  // namespace zobl
