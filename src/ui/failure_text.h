#pragma once

#include <string>

namespace zobl {

inline constexpr char kApplicationTitle[] = "ZOBL Quillmoor";

// The text of the error box for a failure's message: a full stop is added unless the
// message is empty or already ends in a character that sorts at or below '.'.
std::string FailureBoxText(std::string message);

}  // namespace zobl
