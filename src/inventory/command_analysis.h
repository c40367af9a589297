#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "inventory/long_path.h"
#include "platform/file_system.h"
#include "platform/locale.h"

namespace zobl {

// What an uninstall command tells about where its program lives.
struct CommandAnalysis {
  bool directoryFound = false;  // some path in the command led to an existing directory
  std::string chosenDirectory;  // the shortest such directory, in long form
  std::optional<std::string> date;  // its creation date (UTC), when it can be had
  bool deadPath = false;        // some path in the command led to nothing on disk
};

// Picks out every absolute drive path in the command, cuts each down to a file or
// directory that exists, and chooses the shortest directory found. Paths inside the
// Windows directory and bare drive roots are never chosen.
// A directory that is, in long form or as the file system resolves it, exactly one of
// `sharedFolders` (see ResolveSharedFolders), directly in one of its parents, or one of
// the folders every profile has in such a one, is treated as the Windows directory is: it
// holds other programs or users, so it is no program's own. A pass over many commands
// gives `knownParents` (see ResolveLongPath), kept from one command to the next.
CommandAnalysis AnalyseCommand(std::string_view command,
                               std::string_view windowsDirectory,
                               FileSystem& fileSystem,
                               const Locale& locale,
                               const SharedFolderList& sharedFolders = {},
                               KnownLongPaths* knownParents = nullptr);

// The directory a descriptor's InstallLocation names, for a row whose command names
// none. Taken only when, trimmed and without a trailing backslash, it is an absolute
// drive path of an existing directory that is no drive root and does not lie in the
// Windows directory; then in long form, with its creation date, as the command
// analysis would give it. Never a dead path: the picture stays the command's.
CommandAnalysis AnalyseInstallLocation(std::string_view location,
                                       std::string_view windowsDirectory,
                                       FileSystem& fileSystem,
                                       const Locale& locale,
                                       const SharedFolderList& sharedFolders = {},
                                       KnownLongPaths* knownParents = nullptr);

// The shared folders as the system names them, each turned into its long form, which the
// analysis compares with (the system gives the temporary folder as C:\Users\ADMINI~1\...),
// and joined by its final path where links lead elsewhere; the folders in the profile
// named relative to it as `inEveryProfile`.
void ResolveSharedFolders(SharedFolderList& shared, FileSystem& fileSystem, const Locale& locale);

}  // namespace zobl
