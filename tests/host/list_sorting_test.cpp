#include "ui/list_sorting.h"

#include <gtest/gtest.h>

#include "list_sorting_cases.h"
#include "platform/portable_locale.h"

namespace zobl::testing {
namespace {

class ListSortingTest : public ::testing::Test {
 protected:
  ListSortingTest() { FillList(list, SortingRows()); }

  PortableLocale locale;
  InventoryList list{locale};
  ListSorting sorting{list, locale};
};

TEST_F(ListSortingTest, EveryColumnGivesItsOrder) {
  for (const ColumnOrder& order : ColumnOrders()) {
    sorting.SortByChosen(0);
    EXPECT_EQ(sorting.SortByColumnClicked(order.column), order.column);
    EXPECT_EQ(sorting.SortColumn(), order.column);
    EXPECT_EQ(NamesInOrder(list), Strings(order.names)) << "column " << order.column;
    // No direction toggle: the same title again gives the same order.
    sorting.SortByColumnClicked(order.column);
    EXPECT_EQ(NamesInOrder(list), Strings(order.names)) << "column " << order.column << ", second click";
    // A pick in the "Sort By:" box sorts exactly as the title click.
    sorting.SortByChosen(0);
    sorting.SortByChosen(order.column);
    EXPECT_EQ(NamesInOrder(list), Strings(order.names)) << "column " << order.column << ", picked";
  }
}

TEST_F(ListSortingTest, NothingChosenInTheBoxChangesNothing) {
  sorting.SortByColumnClicked(kSizeColumn);
  const std::vector<std::string> before = NamesInOrder(list);
  sorting.SortByChosen(-1);
  EXPECT_EQ(sorting.SortColumn(), kSizeColumn);
  EXPECT_EQ(NamesInOrder(list), before);
}

TEST_F(ListSortingTest, SizeSortBeforeAnyMeasurementKeepsTheOrder) {
  InventoryList unmeasured(locale);
  std::vector<SortingRow> rows = SortingRows();
  for (SortingRow& row : rows) row.sizeBytes = 0;
  FillList(unmeasured, rows);
  const std::vector<std::string> before = NamesInOrder(unmeasured);
  ListSorting(unmeasured, locale).SortByColumnClicked(kSizeColumn);
  EXPECT_EQ(NamesInOrder(unmeasured), before);
}

TEST_F(ListSortingTest, SelectionMovesWithItsRow) {
  const RowId bravo = list.RowAt(list.Count() - 1).Id;
  ASSERT_EQ(list.Find(bravo)->Name, "Bravo");
  list.Select(bravo);
  for (int column = 0; column < kColumnCount; ++column) {
    sorting.SortByColumnClicked(column);
    ASSERT_TRUE(list.SelectedIndex().has_value());
    EXPECT_EQ(list.RowAt(*list.SelectedIndex()).Id, bravo) << "column " << column;
  }
}

TEST(CompareEntries, ByColumn) {
  struct Case {
    int column;
    UninstallEntry first;
    UninstallEntry second;
    int expectedSign;
  };
  const Case cases[] = {
      // Sizes beyond 32 bits keep their order.
      {kSizeColumn, {.SizeBytes = 5 * kGiB}, {.SizeBytes = 2 * kGiB}, -1},
      {kSizeColumn, {.SizeBytes = 1ull << 32}, {.SizeBytes = 1}, -1},
      {kSizeColumn, {.SizeBytes = 0}, {.SizeBytes = 0xFFFFFFFFull}, 1},
      {kSizeColumn, {.SizeBytes = 7}, {.SizeBytes = 7}, 0},
      {kInstallDateColumn, {.InstallDate = std::nullopt}, {.InstallDate = "1980.01.01"}, 1},
      {kInstallDateColumn, {.InstallDate = "2001.07.02"}, {.InstallDate = "2001.07.02"}, 0},
      {kCommandColumn, {.Command = std::nullopt}, {.Command = "0.exe"}, -1},
      // A real name that reads like the stand-in sorts like it.
      {kNameColumn, {.Name = "[NO NAME]"}, {.Name = std::nullopt}, 0},
      // Columns past the last compare nothing.
      {kColumnCount, {.KeyName = "a"}, {.KeyName = "z"}, 0},
  };
  const PortableLocale locale;
  InventoryList list(locale);
  ListSorting sorting(list, locale);
  for (const Case& c : cases) {
    sorting.SortByChosen(c.column);
    const int result = sorting.CompareEntries(c.first, c.second);
    EXPECT_EQ((result > 0) - (result < 0), c.expectedSign) << "column " << c.column;
    const int reverse = sorting.CompareEntries(c.second, c.first);
    EXPECT_EQ((reverse > 0) - (reverse < 0), -c.expectedSign) << "column " << c.column << ", reversed";
  }
}

}  // namespace
}  // namespace zobl::testing
