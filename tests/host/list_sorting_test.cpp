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
  const RowId bravo = list.RowAt(list.Count() - 1).id;
  ASSERT_EQ(list.Find(bravo)->name, "Bravo");
  list.Select(bravo);
  for (int column = 0; column < kColumnCount; ++column) {
    sorting.SortByColumnClicked(column);
    ASSERT_TRUE(list.SelectedIndex().has_value());
    EXPECT_EQ(list.RowAt(*list.SelectedIndex()).id, bravo) << "column " << column;
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
      {kSizeColumn, {.sizeBytes = 5 * kGiB}, {.sizeBytes = 2 * kGiB}, -1},
      {kSizeColumn, {.sizeBytes = 1ull << 32}, {.sizeBytes = 1}, -1},
      {kSizeColumn, {.sizeBytes = 0}, {.sizeBytes = 0xFFFFFFFFull}, 1},
      {kSizeColumn, {.sizeBytes = 7}, {.sizeBytes = 7}, 0},
      {kInstallDateColumn, {.installDate = std::nullopt}, {.installDate = "1980.01.01"}, 1},
      {kInstallDateColumn, {.installDate = "2001.07.02"}, {.installDate = "2001.07.02"}, 0},
      {kCommandColumn, {.command = std::nullopt}, {.command = "0.exe"}, -1},
      // A real name that reads like the stand-in sorts like it.
      {kNameColumn, {.name = "[NO NAME]"}, {.name = std::nullopt}, 0},
      // Columns past the last compare nothing.
      {kColumnCount, {.keyName = "a"}, {.keyName = "z"}, 0},
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
