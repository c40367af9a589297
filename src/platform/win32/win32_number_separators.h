#pragma once

#include "platform/number_separators.h"

namespace zobl::win32 {

// The user's thousands and decimal separators from the regional settings; "," and "."
// where a setting cannot be read.
NumberSeparators UserNumberSeparators();

}  // namespace zobl::win32
