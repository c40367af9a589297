#pragma once

#include <cstddef>

namespace zobl {

// Texts exchanged with the system go through fixed buffers of these sizes (in bytes,
// terminating zero included); what does not fit counts as a failed read.
inline constexpr std::size_t kRegistryValueCapacity = 1024;
inline constexpr std::size_t kSubkeyNameCapacity = 204;
inline constexpr std::size_t kPathCapacity = 260;

}  // namespace zobl
