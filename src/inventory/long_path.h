#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
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
// a parent found there is not searched again, and the parents searched are added. With
// `creationTime`, the path's own creation time, which its search gave, when it was found.
bool ResolveLongPath(std::string& path,
                     std::size_t capacity,
                     FileSystem& fileSystem,
                     KnownLongPaths* knownParents = nullptr,
                     std::optional<std::uint64_t>* creationTime = nullptr);

}  // namespace zobl
