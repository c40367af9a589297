#pragma once

#include <cstdint>

namespace zobl::testing {

// A file time stamp (100 ns since 1601-01-01 UTC) for a UTC date and time.
constexpr std::uint64_t FileTimeFromUtc(int year,
                                        unsigned month,
                                        unsigned day,
                                        unsigned hour = 0,
                                        unsigned minute = 0) {
  // days_from_civil, counted from 1970-01-01
  year -= month <= 2 ? 1 : 0;
  const long long era = (year >= 0 ? year : year - 399) / 400;
  const auto yoe = static_cast<unsigned>(year - era * 400);
  const unsigned doy = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  const long long days = era * 146097 + static_cast<long long>(doe) - 719468 + 134774;
  const long long seconds = days * 86400 + hour * 3600LL + minute * 60LL;
  return static_cast<std::uint64_t>(seconds) * 10'000'000ull;
}

}  // namespace zobl::testing
