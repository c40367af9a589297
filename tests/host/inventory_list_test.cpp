#include "inventory/inventory_list.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/portable_locale.h"
#include "inventory/column_text.h"
#include "inventory/shown_rows.h"

namespace zobl::testing {
namespace {

// Records what a view of the list would hear.
class RecordingView final : public InventoryListObserver {
 public:
  void CountChanged(std::size_t count) override { events.push_back("count " + std::to_string(count)); }
  void RowsChanged() override { events.emplace_back("rows"); }
  void RepaintSuspended() override { events.emplace_back("suspend"); }
  void RepaintResumed() override { events.emplace_back("resume"); }

  std::vector<std::string> events;
};

class InventoryListTest : public ::testing::Test {
 protected:
  RowId AddNamed(const std::string& name) {
    return list.Add({.name = name});
  }
  bool InNameOrder() const {
    for (std::size_t i = 1; i < list.Count(); ++i) {
      const char* before = SortText(list.RowAt(i - 1), kNameColumn).c_str();
      if (locale.CompareText(before, SortText(list.RowAt(i), kNameColumn).c_str()) > 0) return false;
    }
    return true;
  }

  PortableLocale locale;
  InventoryList list{locale};
};

TEST_F(InventoryListTest, NamingARowKeepsTheListInNameOrder) {
  std::mt19937 random(7);
  std::vector<RowId> ids;
  for (int step = 0; step < 300; ++step) {
    const std::string name(1 + random() % 3, "aAbB[1 "[random() % 7]);
    switch (random() % 5) {
      case 0:  // a row renamed where it stands
        if (!ids.empty()) list.SetName(ids[random() % ids.size()], name);
        break;
      case 1:  // the list sorted by something else first
        list.Sort([](const UninstallEntry& a, const UninstallEntry& b) { return a.id < b.id ? 1 : -1; });
        ids.push_back(AddNamed(name));
        break;
      case 2:
        if (list.Count() > 0) list.DeleteAt(random() % list.Count());
        break;
      default: ids.push_back(AddNamed(name));
    }
    ASSERT_TRUE(InNameOrder()) << "step " << step;
  }
}

// Rows whose names tie stay in the order they came in, after those already listed, as a
// refresh adds them, case included ("a" before "A").
TEST_F(InventoryListTest, RowsWithEqualNamesKeepTheOrderTheyCameIn) {
  const RowId first = AddNamed("Tie");
  AddNamed("A");
  const RowId second = AddNamed("Tie");
  const RowId lower = AddNamed("a");
  EXPECT_EQ(list.RowAt(0).id, lower);
  EXPECT_EQ(list.RowAt(2).id, first);
  EXPECT_EQ(list.RowAt(3).id, second);
}

// Typed letters search from the given row on; only with wrapping do they go on from the top.
TEST_F(InventoryListTest, NameSearchWrapsOnlyWhenAsked) {
  AddNamed("Alpha");
  AddNamed("Beta");
  const ShownRows shown(list, locale);
  EXPECT_EQ(shown.FindNamePrefix("al", 1, false), std::nullopt);
  EXPECT_EQ(shown.FindNamePrefix("al", 1, true), 0u);
}

TEST_F(InventoryListTest, RowsLeftTheListRefuseChanges) {
  const RowId id = AddNamed("gone");
  list.DeleteAt(0);
  EXPECT_EQ(list.Find(id), nullptr);
  EXPECT_FALSE(list.IndexOf(id).has_value());
  EXPECT_FALSE(list.SetName(id, "x"));
  EXPECT_FALSE(list.SetSizeBytes(id, 1));
  EXPECT_FALSE(list.SetMeasuredSize(id, 1));
  EXPECT_FALSE(list.SetSizeUnknown(id));
  EXPECT_EQ(list.Count(), 0u);
  EXPECT_THROW(list.DeleteAt(0), std::out_of_range);
  EXPECT_THROW((void)list.RowAt(0), std::out_of_range);
}

TEST_F(InventoryListTest, OneRowAtMostIsSelectedAndDeletionTakesTheSelection) {
  const RowId a = AddNamed("a");
  const RowId b = AddNamed("b");
  list.Select(a);
  list.Select(b);
  EXPECT_FALSE(list.Find(a)->selected);
  EXPECT_EQ(list.SelectedIndex(), 1u);
  list.Select(12345);  // no such row: the selection stays
  EXPECT_EQ(list.SelectedIndex(), 1u);
  AddNamed("0");
  EXPECT_EQ(list.SelectedIndex(), 2u) << "the selection moves with its row";
  list.DeleteAt(2);
  EXPECT_FALSE(list.SelectedIndex().has_value());
  list.Select(a);
  list.ClearSelection();
  EXPECT_FALSE(list.SelectedIndex().has_value());
}

TEST_F(InventoryListTest, ViewHearsCountsAtOnceAndOtherChangesAfterTheOutermostResume) {
  RecordingView view;
  list.SetObserver(&view);
  const RowId a = AddNamed("a");
  EXPECT_EQ(view.events, (std::vector<std::string>{"count 1", "rows"}));

  view.events.clear();
  {
    const ScopedRepaintSuspension outer(list);
    list.SuspendRepaint();
    AddNamed("b");
    list.SetSizeBytes(a, 10);
    list.DeleteAt(0);
    list.ResumeRepaint();
    EXPECT_EQ(view.events, (std::vector<std::string>{"suspend", "count 2", "count 1"}));
  }
  EXPECT_EQ(view.events, (std::vector<std::string>{"suspend", "count 2", "count 1", "rows", "resume"}));

  view.events.clear();
  { const ScopedRepaintSuspension idle(list); }
  EXPECT_EQ(view.events, (std::vector<std::string>{"suspend", "resume"}));
  list.ResumeRepaint();  // unbalanced: ignored
  EXPECT_EQ(view.events.size(), 2u);
}

}  // namespace
}  // namespace zobl::testing
