#include "ui/list_sorting.h"

#include <gtest/gtest.h>

#include "list_sorting_cases.h"
#include "platform/win32/win32_locale.h"

namespace zobl::testing {
namespace {

// The column orders with the system's own text comparison.
TEST(ListSortingWithSystemLocale, EveryColumnGivesItsOrder) {
  const win32::Win32Locale locale;
  InventoryList list(locale);
  FillList(list, SortingRows());
  ListSorting sorting(list, locale);
  for (const ColumnOrder& order : ColumnOrders()) {
    sorting.SortByChosen(0);
    EXPECT_EQ(sorting.SortByColumnClicked(order.column), order.column);
    EXPECT_EQ(NamesInOrder(list), Strings(order.names)) << "column " << order.column;
  }
}

}  // namespace
}  // namespace zobl::testing
