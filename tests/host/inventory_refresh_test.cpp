#include "inventory/inventory_refresh.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "fake_inventory_world.h"

namespace zobl::testing {
namespace {

class RefreshTest : public ::testing::Test {
 protected:
  // Keys named as they stand, without the harness's tag.
  void Add(const std::string& keyName, const std::string& displayName) { h.Add(keyName, displayName.c_str()); }

  FakeInventoryWorld world;
  InventoryHarness h{world, ""};
};

TEST_F(RefreshTest, EmptyOrMissingUninstallKeyGivesAnEmptyList) {
  h.Refresh();
  EXPECT_EQ(h.list.Count(), 0u);

  Add("Acme", "Acme");
  h.Refresh();
  ASSERT_EQ(h.list.Count(), 1u);
  world.registry.DeleteTree(kUninstallKeyPath);
  h.Refresh();
  EXPECT_EQ(h.list.Count(), 0u);
  EXPECT_EQ(world.registry.OpenKeyCount(), 0u);
}

TEST_F(RefreshTest, ListedRowsCostOneOpenEachAndNoValueReads) {
  for (const char* key : {"A", "B", "C"}) Add(key, key);
  h.Refresh();
  world.registry.ResetCalls();
  h.Refresh();
  EXPECT_EQ(world.registry.Calls().opens, 3 + 1);
  EXPECT_EQ(world.registry.Calls().enumerations, 3 + 1);
  EXPECT_EQ(world.registry.Calls().valueReads, 0);
}

TEST_F(RefreshTest, ManyRowsNeverGetASecondRow) {
  for (int i = 0; i < 1200; ++i) Add("Key" + std::to_string(i), "Program " + std::to_string(i));
  h.Refresh();
  h.Refresh();
  EXPECT_EQ(h.list.Count(), 1200u);
}

// A setup program writing a descriptor that sorts first while the walk is under way moves
// every later subkey one index on, so the walk meets the one it just read again.
TEST_F(RefreshTest, SubkeyMetTwiceInOneWalkGetsOneRow) {
  Add("M", "Mike");
  world.registry.onEnumerate = [&](std::uint32_t index) {
    if (index == 1) Add("A", "Alpha");
  };
  h.Refresh();
  world.registry.onEnumerate = nullptr;
  h.Refresh();
  ASSERT_EQ(h.list.Count(), 2u);
  EXPECT_EQ(h.list.RowAt(0).keyName, "A");
  EXPECT_EQ(h.list.RowAt(1).keyName, "M");
}

// One removed meanwhile moves every later subkey one index back, so the walk passes one
// over; the removal makes the next refresh due, and that one lists it.
TEST_F(RefreshTest, SubkeyPassedOverInOneWalkIsListedByTheNext) {
  for (const char* key : {"A", "B", "C"}) Add(key, key);
  world.registry.onEnumerate = [&](std::uint32_t index) {
    if (index == 1) h.world.DeleteDescriptor("A");
  };
  h.Refresh();
  world.registry.onEnumerate = nullptr;
  ASSERT_EQ(h.list.Count(), 2u);
  EXPECT_EQ(h.list.RowAt(1).keyName, "C");
  h.Refresh();
  ASSERT_EQ(h.list.Count(), 2u);
  EXPECT_EQ(h.list.RowAt(0).keyName, "B");
  EXPECT_EQ(h.list.RowAt(1).keyName, "C");
}

struct CountingView final : InventoryListObserver {
  void CountChanged(std::size_t) override { ++counts; }
  void RowsChanged() override { ++rows; }
  void RepaintSuspended() override { ++suspended; }
  void RepaintResumed() override { ++resumed; }
  int counts = 0, rows = 0, suspended = 0, resumed = 0;
};

TEST_F(RefreshTest, ViewIsRepaintedOnceAfterTheWholeRefresh) {
  CountingView view;
  h.list.SetObserver(&view);
  for (const char* key : {"A", "B", "C"}) Add(key, key);
  h.Refresh();
  EXPECT_EQ(view.suspended, 1);
  EXPECT_EQ(view.resumed, 1);
  EXPECT_EQ(view.rows, 1);
  EXPECT_EQ(view.counts, 3);
}

TEST_F(RefreshTest, TickIsSkippedWhileATickStartedRefreshRuns) {
  Add("A", "Alpha");
  int nestedTicks = 0;
  bool busySeen = false;
  world.registry.onEnumerate = [&](std::uint32_t) {
    busySeen = busySeen || h.refresher.RefreshBusy();
    if (nestedTicks++ == 0) {
      Add("B", "Bravo");  // would be listed by a nested refresh
      h.refresher.RefreshTick();
    }
  };
  h.refresher.RefreshTick();
  EXPECT_TRUE(busySeen);
  EXPECT_FALSE(h.refresher.RefreshBusy());
  EXPECT_EQ(h.list.Count(), 2u) << "one walk, not two";

  // Start-up and the check box refresh without the tick's guard.
  world.registry.onEnumerate = [&](std::uint32_t) { EXPECT_FALSE(h.refresher.RefreshBusy()); };
  h.Refresh();
}

TEST_F(RefreshTest, FailedRefreshLeavesTheTickFreeAndRepaintingOn) {
  Add("A", "Alpha");
  CountingView view;
  h.list.SetObserver(&view);
  world.registry.onEnumerate = [](std::uint32_t) { throw std::runtime_error("registry gone"); };
  EXPECT_THROW(h.refresher.RefreshTick(), std::runtime_error);
  EXPECT_FALSE(h.refresher.RefreshBusy());
  EXPECT_EQ(view.resumed, view.suspended);
  EXPECT_EQ(world.registry.OpenKeyCount(), 0u);
  world.registry.onEnumerate = nullptr;
  h.refresher.RefreshTick();
  EXPECT_EQ(h.list.Count(), 1u);
}

}  // namespace
}  // namespace zobl::testing
