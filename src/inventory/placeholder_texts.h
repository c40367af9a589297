#pragma once

namespace zobl {

// Texts that stand in a row where a value could not be had. Several parts of the
// program write them and compare them byte for byte.
inline constexpr char kNoNameText[] = "[NO NAME]";
inline constexpr char kNoCommandText[] = "[NO COMMAND]";
inline constexpr char kUnknownDateText[] = "[unknown]";
inline constexpr char kNotYetComputedText[] = "[NOT YET COMPUTED]";
inline constexpr char kUnknownSizeText[] = "unknown";
inline constexpr char kMissingDirectoryText[] = "[MISSING OR SYSTEM DIRECTORY ?]";

}  // namespace zobl
