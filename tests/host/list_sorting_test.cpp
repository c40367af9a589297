#include "mainwindow/list_sorting.h"

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
    sorting.ChangeClassement(0);
    EXPECT_EQ(sorting.CliqueColonne(order.column), order.column);
    EXPECT_EQ(sorting.SortColumn(), order.column);
    EXPECT_EQ(NamesInOrder(list), Strings(order.names)) << "column " << order.column;
    // No direction toggle: the same title again gives the same order.
    sorting.CliqueColonne(order.column);
    EXPECT_EQ(NamesInOrder(list), Strings(order.names)) << "column " << order.column << ", second click";
    // A pick in the "Sort By:" box sorts exactly as the title click.
    sorting.ChangeClassement(0);
    sorting.ChangeClassement(order.column);
    EXPECT_EQ(NamesInOrder(list), Strings(order.names)) << "column " << order.column << ", picked";
  }
}

TEST_F(ListSortingTest, NothingChosenInTheBoxChangesNothing) {
  sorting.CliqueColonne(kSizeColumn);
  const std::vector<std::string> before = NamesInOrder(list);
  sorting.ChangeClassement(-1);
  EXPECT_EQ(sorting.SortColumn(), kSizeColumn);
  EXPECT_EQ(NamesInOrder(list), before);
}

TEST_F(ListSortingTest, SizeSortBeforeAnyMeasurementKeepsTheOrder) {
  InventoryList unmeasured(locale);
  std::vector<SortingRow> rows = SortingRows();
  for (SortingRow& row : rows) row.sizeBytes = 0;
  FillList(unmeasured, rows);
  const std::vector<std::string> before = NamesInOrder(unmeasured);
  ListSorting(unmeasured, locale).CliqueColonne(kSizeColumn);
  EXPECT_EQ(NamesInOrder(unmeasured), before);
}

TEST_F(ListSortingTest, SelectionMovesWithItsRow) {
  const RowId bravo = list.RowAt(list.Count() - 1).Id;
  ASSERT_EQ(list.Find(bravo)->Name, "Bravo");
  list.Select(bravo);
  for (int column = 0; column < kColumnCount; ++column) {
    sorting.CliqueColonne(column);
    ASSERT_TRUE(list.SelectedIndex().has_value());
    EXPECT_EQ(list.RowAt(*list.SelectedIndex()).Id, bravo) << "column " << column;
  }
}

UninstallEntry Entry(std::vector<std::string> furtherTexts, std::uint64_t sizeBytes = 0) {
  UninstallEntry entry;
  entry.Name = "Acme";
  entry.FurtherTexts = std::move(furtherTexts);
  entry.SizeBytes = sizeBytes;
  return entry;
}

TEST(CompareEntries, ByColumn) {
  struct Case {
    int column;
    UninstallEntry first;
    UninstallEntry second;
    int expectedSign;
  };
  const std::vector<std::string> full = {"k", "2001.07.02", "", "c", "d"};
  const Case cases[] = {
      // A text the row does not have yet ties with anything, in every further column.
      {kKeyNameColumn, Entry({}), Entry({"a"}), 0},
      {kInstallDateColumn, Entry({"k"}), Entry(full), 0},
      {kSizeColumn, Entry({"k", "d"}, 5), Entry(full, 1), 0},
      {kSupposedDirectoryColumn, Entry({"k", "d", "s", "c"}), Entry(full), 0},
      // Sizes beyond 32 bits keep their order.
      {kSizeColumn, Entry(full, 5 * kGiB), Entry(full, 2 * kGiB), -1},
      {kSizeColumn, Entry(full, 1ull << 32), Entry(full, 1), -1},
      {kSizeColumn, Entry(full, 0), Entry(full, 0xFFFFFFFFull), 1},
      {kSizeColumn, Entry(full, 7), Entry(full, 7), 0},
      {kInstallDateColumn, Entry({"k", "[unknown]"}), Entry({"k", "1980.01.01"}), 1},
      {kInstallDateColumn, Entry({"k", "2001.07.02"}), Entry({"k", "2001.07.02"}), 0},
      {kCommandColumn, Entry({"k", "d", "s", "[NO COMMAND]"}), Entry({"k", "d", "s", "0.exe"}), -1},
      // Columns past the last compare nothing.
      {kColumnCount, Entry(full), Entry({"z", "z", "z", "z", "z"}), 0},
  };
  const PortableLocale locale;
  InventoryList list(locale);
  ListSorting sorting(list, locale);
  for (const Case& c : cases) {
    sorting.ChangeClassement(c.column);
    const int result = sorting.CompareEntries(c.first, c.second);
    EXPECT_EQ((result > 0) - (result < 0), c.expectedSign) << "column " << c.column;
    const int reverse = sorting.CompareEntries(c.second, c.first);
    EXPECT_EQ((reverse > 0) - (reverse < 0), -c.expectedSign) << "column " << c.column << ", reversed";
  }
}

}  // namespace
}  // namespace zobl::testing
