#include "platform/win32/win32_locale.h"

#include <gtest/gtest.h>

#include "file_time.h"
#include "platform/portable_locale.h"
#include "text_order_cases.h"
#include "upper_case_cases.h"

namespace zobl::testing {
namespace {

// The same properties the portable comparison is held to, through lstrcmpA.
TEST(Win32Locale, CompareTextHasTheListsCollationProperties) {
  const win32::Win32Locale locale;
  for (const OrderedPair& pair : TextOrderCases()) {
    EXPECT_LT(locale.CompareText(pair.first, pair.second), 0) << pair.first << " < " << pair.second;
    EXPECT_GT(locale.CompareText(pair.second, pair.first), 0) << pair.second << " > " << pair.first;
    EXPECT_EQ(locale.CompareText(pair.first, pair.first), 0) << pair.first;
  }
}

TEST(Win32Locale, SortKeysOrderAsLstrcmpA) { ExpectSortKeysOrderAsCompareText(win32::Win32Locale()); }

TEST(Win32Locale, FormatsTheUtcDateLikeThePortableTwin) {
  const win32::Win32Locale system;
  const PortableLocale portable;
  for (const std::uint64_t stamp : {FileTimeFromUtc(2001, 7, 2, 12), FileTimeFromUtc(1999, 12, 31, 23, 59),
                                    FileTimeFromUtc(2024, 2, 29), FileTimeFromUtc(2107, 1, 1)}) {
    EXPECT_EQ(system.FormatUtcDate(stamp, "yyyy'.'MM'.'dd"), portable.FormatUtcDate(stamp, "yyyy'.'MM'.'dd"));
  }
  EXPECT_EQ(system.FormatUtcDate(FileTimeFromUtc(2001, 7, 2), "yyyy'.'MM'.'dd"), "2001.07.02");
  EXPECT_EQ(system.FormatUtcDate(0x8000000000000000ull, "yyyy'.'MM'.'dd"), std::nullopt);
}

TEST(Win32Locale, UpperCasesAsTheHostLocaleDoes) {
  const win32::Win32Locale locale;
  for (const auto& [text, upper] : kUpperCaseCases) EXPECT_EQ(locale.UpperCase(text), upper) << text;
}

}  // namespace
}  // namespace zobl::testing
