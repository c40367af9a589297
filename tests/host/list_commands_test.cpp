#include "ui/list_commands.h"

#include <gtest/gtest.h>

#include <string>

#include "fake_inventory_world.h"
#include "list_commands_behaviours.h"

namespace zobl::testing {
namespace {

// The fake's code page has bytes of no character; the system's may have none.
TEST(ListCommandsTest, NoCopyWhenTheEarlierFileHasAByteOfNoCharacter) {
  FakeInventoryWorld world;
  InventoryHarness h(world, "Zobl-");
  const std::string earlier = "REGEDIT4\r\n\r\n; \x81\r\n";
  world.WriteBackupFile(earlier);
  h.Add("Acme", "Acme", "x");
  h.Refresh();
  ASSERT_TRUE(h.Select("Acme"));
  list_commands::ExpectNoCopyAndNothingRemoved(h, "Acme", earlier);
}

// Another process deletes the descriptor while its copy is being read: there is nothing
// to keep and nothing to tell, and the row leaves at the next refresh.
TEST(ListCommandsTest, DescriptorGoneDuringItsCopyIsNeitherCopiedNorReported) {
  FakeInventoryWorld world;
  InventoryHarness h(world, "Zobl-");
  h.Add("Acme", "Acme", "x");
  h.Refresh();
  ASSERT_TRUE(h.Select("Acme"));
  world.registry.onEnumerateValue = [&] { h.world.DeleteDescriptor("Acme"); };
  h.commands.RemoveSelectedRow();
  EXPECT_EQ(h.dialogs.shown.size(), 1u) << "the question alone";
  EXPECT_EQ(world.BackupFileBytes(), "");
  h.Refresh();
  EXPECT_FALSE(h.Listed("Acme"));
}

}  // namespace
}  // namespace zobl::testing
