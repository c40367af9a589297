#pragma once

#include <cstdint>
#include <string>

namespace zobl {

// The size column's text for a byte count: units of 1,024 with " Kb", " Mb", " Gb" or
// " Tb", each chosen from half a unit up; empty for 512 bytes or less.
std::string SizeText(std::uint64_t count);

// The number part of count / 2^unitExponent: two decimals below 10, one below 100,
// none from 100 up; decimals cut off, never rounded.
std::string SizeNumberText(std::uint64_t count, unsigned unitExponent);

}  // namespace zobl
