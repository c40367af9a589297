#include "inventory/size_text.h"

#include <gtest/gtest.h>

namespace zobl {
namespace {

struct SizeTextRow {
  std::uint64_t count;
  const char* text;
};

TEST(SizeText, EveryUnitBoundaryAndTruncation) {
  const SizeTextRow rows[] = {
      {0, ""},
      {512, ""},
      {513, "0.50 Kb"},
      {1'000, "0.97 Kb"},
      {1'023, "0.99 Kb"},
      {1'024, "1.00 Kb"},
      {1'535, "1.49 Kb"},
      {1'536, "1.50 Kb"},
      {10'239, "9.99 Kb"},
      {10'240, "10.0 Kb"},
      {102'399, "99.9 Kb"},
      {102'400, "100 Kb"},
      {524'288, "512 Kb"},
      {524'289, "0.50 Mb"},
      {1'000'000, "0.95 Mb"},
      {1'048'576, "1.00 Mb"},
      {52'428'800, "50.0 Mb"},
      {536'870'912, "512 Mb"},
      {536'870'913, "0.50 Gb"},
      {4'294'967'296, "4.00 Gb"},
      {5'368'709'120, "5.00 Gb"},
      {549'755'813'888, "512 Gb"},
      {549'755'813'889, "0.50 Tb"},
      {1'099'511'627'776, "1.00 Tb"},
      {std::uint64_t{1} << 50, "1024 Tb"},
      {~std::uint64_t{0}, "16777215 Tb"},
  };
  for (const SizeTextRow& row : rows) {
    EXPECT_EQ(SizeText(row.count), row.text) << "count " << row.count;
  }
}

TEST(SizeNumberText, DecimalsAreCutNotRounded) {
  EXPECT_EQ(SizeNumberText(1'535, 10), "1.49");  // 1.499...
  EXPECT_EQ(SizeNumberText(10'239, 10), "9.99");
  EXPECT_EQ(SizeNumberText(0, 10), "0.00");
  EXPECT_EQ(SizeNumberText(999, 0), "999");
}

}  // namespace
}  // namespace zobl
