#include "inventory/size_text.h"

#include <array>

namespace zobl {
namespace {

struct SizeUnit {
  unsigned exponent;
  const char* suffix;
};

// Largest first; each unit is used above half of itself.
constexpr std::array<SizeUnit, 4> kUnits{{{40, " Tb"}, {30, " Gb"}, {20, " Mb"}, {10, " Kb"}}};

}  // namespace

std::string SizeNumberText(std::uint64_t count, unsigned unitExponent) {
  const std::uint64_t whole = count >> unitExponent;
  std::string text = std::to_string(whole);
  const int decimals = whole < 10 ? 2 : whole < 100 ? 1 : 0;
  if (decimals == 0) return text;
  text += '.';
  // Only counts below 100 units get here, so count * 100 stays far below 2^64.
  std::uint64_t scaled = count;
  for (int i = 0; i < decimals; ++i) {
    scaled *= 10;
    text += static_cast<char>('0' + (scaled >> unitExponent) % 10);
  }
  return text;
}

std::string SizeText(std::uint64_t count) {
  for (const SizeUnit& unit : kUnits) {
    if (count > (std::uint64_t{1} << (unit.exponent - 1))) return SizeNumberText(count, unit.exponent) + unit.suffix;
  }
  return {};
}

}  // namespace zobl
