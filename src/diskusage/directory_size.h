#pragma once

#include <cstdint>
#include <string_view>

#include "platform/directory_listing.h"
#include "platform/message_pump.h"

namespace zobl {

// Bytes in the files under the directory `path`, subdirectories included, depth first
// in listing order. The path is used exactly as given ("C:\d\" doubles the backslash of
// every path built from it). Every file is opened for its size; one that cannot be
// opened counts with the size its listing reports. Links to directories are entered,
// except those leading back to a directory the walk stands in or above, so a cycle of
// links ends the walk instead of repeating it.
//
// `pump` runs before each entry is looked at ("." and ".." included), never when the
// directory cannot be listed. Once it reports a stop (the window closing, or the user
// stopping the run), the scan returns at once with what it has counted so far. Nothing is reported: whatever
// cannot be read counts as 0.
[[nodiscard]] std::uint64_t DirectorySize(std::string_view path, DirectoryListing& listing, MessagePump& pump);

}  // namespace zobl
