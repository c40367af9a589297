#pragma once

#include <string>

namespace zobl {

// The user's regional separators for numbers.
struct NumberSeparators {
  std::string thousands = ",";
  std::string decimal = ".";
};

}  // namespace zobl
