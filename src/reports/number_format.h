#pragma once

#include <string>
#include <string_view>

#include "platform/number_separators.h"

namespace zobl {

// A number written by a picture: "#" and "0" digit places ("0" forces a digit), "."
// where decimals start, "," anywhere switching on thousands grouping; up to three
// sections separated by ";" for positive, negative and zero numbers; quoted text and
// every other character copied in place. Rounded half away from zero at the picture's
// last decimal place; a number that then shows as zero takes the zero section if there is
// one. NaN and infinities give "NAN", "INF" and "-INF".
std::string FormatNumber(double value, std::string_view picture, const NumberSeparators& separators);

}  // namespace zobl
