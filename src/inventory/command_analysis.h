#pragma once

#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/locale.h"

namespace zobl {

// What an uninstall command tells about where its program lives.
struct CommandAnalysis {
  bool DirectoryFound = false;  // some path in the command led to an existing directory
  std::string ChosenDirectory;  // the shortest such directory, in long form
  std::string DateText;         // its creation date (UTC), or "[unknown]"
  bool DeadPath = false;        // some path in the command led to nothing on disk
};

// Picks out every absolute drive path in the command, cuts each down to a file or
// directory that exists, and chooses the shortest directory found. Paths inside the
// Windows directory and bare drive roots are never chosen.
CommandAnalysis AnalyseCommand(std::string_view command,
                               std::string_view windowsDirectory,
                               FileSystem& fileSystem,
                               const Locale& locale);

}  // namespace zobl
