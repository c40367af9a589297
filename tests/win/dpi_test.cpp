#include <windows.h>

#include <gtest/gtest.h>

#include "dpi_cases.h"

namespace zobl::testing {

// The rows the host holds the program's scaling to are the system's own rounding.
TEST(Dpi, CasesAreMulDivs) {
  for (const auto& [value, numerator, denominator, expected] : kScaleCases) {
    EXPECT_EQ(MulDiv(value, numerator, denominator), expected) << value << "*" << numerator << "/" << denominator;
  }
}

}  // namespace zobl::testing
