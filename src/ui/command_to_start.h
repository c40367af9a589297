#pragma once

#include <optional>
#include <string>

#include "platform/file_system.h"
#include "platform/registry.h"
#include "platform/shell.h"

namespace zobl {

// Finds the one program file an uninstall command names. Started as it stands, an
// unquoted path with blanks lets the system try each leading part in turn, shortest
// first ("C:\Program.exe" for "C:\Program Files\Acme\Uninstall /S"). Read here as a
// careful reader would: the longest leading part that ends at a blank, "/" or "," (or
// the end) and names an existing file, ".exe" added where the part has no extension.
// A part that is cut inside a folder's name (the text after it reaching an existing
// folder) is never taken. Nothing when the command names no existing program file: the
// program is then not started at all, so that no shorter path ever runs.
std::optional<ProgramStart> ProgramToStart(const std::string& command, FileSystem& fileSystem);

// Whether programs running with the user's ordinary rights can change what the command
// starts: a descriptor of the user's own registry, or a program file inside a profile
// in the Users folder. Such a command must not inherit an administrator's rights.
bool OrdinaryProgramsCanChange(RegistrySource source, const ProgramStart& start, FileSystem& fileSystem);

}  // namespace zobl
