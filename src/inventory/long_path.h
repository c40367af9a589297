#pragma once

#include <cstddef>
#include <string>

#include "platform/file_system.h"

namespace zobl {

// Rewrites the path of an existing directory into its long form (every component as
// the file system spells it, drive letter upper-cased), keeping at most
// `capacity` - 1 characters. On failure the path is left as it was.
bool ResolveLongPath(std::string& path, std::size_t capacity, FileSystem& fileSystem);

}  // namespace zobl
