#pragma once

namespace zobl {

// What the list shows where a value could not be had, as the tests expect to read it.
inline constexpr char kNoNameText[] = "[NO NAME]";
inline constexpr char kNoCommandText[] = "[NO COMMAND]";
inline constexpr char kUnknownDateText[] = "[unknown]";
inline constexpr char kNotYetComputedText[] = "[NOT YET COMPUTED]";
inline constexpr char kUnknownSizeText[] = "unknown";
inline constexpr char kMissingDirectoryText[] = "[MISSING OR SYSTEM DIRECTORY ?]";

}  // namespace zobl
