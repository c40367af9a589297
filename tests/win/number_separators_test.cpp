#include "platform/win32/win32_number_separators.h"

#include <gtest/gtest.h>

#include "reports/number_format.h"

namespace zobl::win32 {
namespace {

// Wine's default user locale is English (United States). The rounding's 18 digits come
// from the MinGW runtime here.
TEST(Win32NumberSeparators, ReadsTheUserLocale) {
  const NumberSeparators separators = UserNumberSeparators();
  EXPECT_EQ(separators.thousands, ",");
  EXPECT_EQ(separators.decimal, ".");
  EXPECT_EQ(FormatNumber(0.1 + 0.2, "#,##0.#################", separators), "0.30000000000000004");
}

}  // namespace
}  // namespace zobl::win32
