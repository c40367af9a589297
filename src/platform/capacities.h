#pragma once

#include <cstddef>

namespace zobl {

// Texts exchanged with the system go through fixed buffers of these sizes (in bytes,
// terminating zero included); what does not fit counts as a failed read.
inline constexpr std::size_t kRegistryValueCapacity = 1024;
inline constexpr std::size_t kSubkeyNameCapacity = 204;
inline constexpr std::size_t kPathCapacity = 260;
// The directory scan walks through extended-length paths: 32,767 UTF-16 units, each at
// most three bytes of UTF-8.
inline constexpr std::size_t kLongPathCapacity = 32767 * 3 + 1;

}  // namespace zobl
