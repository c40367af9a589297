#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>

#include "platform/file_system.h"

namespace zobl {

// The long forms of the folders a pass has climbed through, by the spelling the climb met
// them in. Most programs share a few parents (Program Files), and a search in a folder is
// what costs: each parent is then searched once a pass instead of once a row.
using KnownLongPaths = std::unordered_map<std::string, std::string>;

// Rewrites the path of an existing directory into its long form (every component as
// the file system spells it, drive letter upper-cased), keeping at most
// `capacity` - 1 characters. On failure the path is left as it was. With `knownParents`,
// a parent found there is not searched again, and the parents searched are added.
bool ResolveLongPath(std::string& path,
                     std::size_t capacity,
                     FileSystem& fileSystem,
                     KnownLongPaths* knownParents = nullptr);

}  // namespace zobl
