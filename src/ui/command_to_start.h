#pragma once

#include <string>

#include "platform/file_system.h"

namespace zobl {

// The command line to start for an uninstall command. Started as it stands, an
// unquoted program path with blanks in it could run a shorter path that happens to
// exist ("C:\Program.exe" for "C:\Program Files\..."): such a path is quoted here, the
// longest leading part ending in ".exe" that names an existing file, or failing that
// the longest such part, so that a missing program fails to start instead.
std::string CommandToStart(const std::string& command, FileSystem& fileSystem);

}  // namespace zobl
