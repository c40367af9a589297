#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zobl::win32 {

// The program's arguments in UTF-8, its own name left out. They are read as UTF-16 from
// the system, so a file name in any script arrives whole.
std::vector<std::string> ProgramArguments();

// Writes `line` (UTF-8) and a line end to the standard error of whoever started the program:
// the handle it was given, or else the console of the command prompt it was started
// from. A window program has neither when started from the desktop: then nothing is
// written.
void TellConsole(std::string_view line);

}  // namespace zobl::win32
