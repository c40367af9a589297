#include "platform/portable_locale.h"

#include <gtest/gtest.h>

#include "file_time.h"
#include "text_order_cases.h"
#include "upper_case_cases.h"

namespace zobl::testing {
namespace {

TEST(PortableLocale, CompareTextHasTheListsCollationProperties) {
  const PortableLocale locale;
  for (const OrderedPair& pair : TextOrderCases()) {
    EXPECT_LT(locale.CompareText(pair.first, pair.second), 0) << pair.first << " < " << pair.second;
    EXPECT_GT(locale.CompareText(pair.second, pair.first), 0) << pair.second << " > " << pair.first;
    EXPECT_EQ(locale.CompareText(pair.first, pair.first), 0) << pair.first;
  }
}

TEST(PortableLocale, SortKeysOrderAsTheComparison) { ExpectSortKeysOrderAsCompareText(PortableLocale()); }

TEST(PortableLocale, FormatsTheUtcDateByThePicture) {
  const PortableLocale locale;
  EXPECT_EQ(locale.FormatUtcDate(FileTimeFromUtc(2001, 7, 2, 12), "yyyy'.'MM'.'dd"), "2001.07.02");
  EXPECT_EQ(locale.FormatUtcDate(FileTimeFromUtc(1601, 1, 1), "yyyy'.'MM'.'dd"), "1601.01.01");
  EXPECT_EQ(locale.FormatUtcDate(FileTimeFromUtc(2024, 2, 29, 23, 59), "d/M/yy 'it''s'"), "29/2/24 it's");
  EXPECT_EQ(locale.FormatUtcDate(0x8000000000000000ull, "yyyy"), std::nullopt);
}

TEST(PortableLocale, UpperCasesAsTheSystemDoes) {
  const PortableLocale locale;
  for (const auto& [text, upper] : kUpperCaseCases) EXPECT_EQ(locale.UpperCase(text), upper) << text;
}

}  // namespace
}  // namespace zobl::testing
