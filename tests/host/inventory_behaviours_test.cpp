// The refresh's and the list commands' behaviours over the fake registry, disk and
// backup file; the same tables run under Wine.
#include <gtest/gtest.h>

#include <string>

#include "fake_inventory_world.h"
#include "inventory_refresh_behaviours.h"
#include "list_commands_behaviours.h"

namespace zobl::testing {
namespace {

class InventoryBehaviourTest : public ::testing::TestWithParam<InventoryBehaviour> {};

TEST_P(InventoryBehaviourTest, Holds) {
  FakeInventoryWorld world;
  InventoryHarness harness(world, "Zobl-");
  GetParam().run(harness);
  EXPECT_EQ(world.registry.OpenKeyCount(), 0u) << "every key opened is closed";
}

const auto kName = [](const auto& param) { return std::string(param.param.name); };
INSTANTIATE_TEST_SUITE_P(Inventory, InventoryBehaviourTest, ::testing::ValuesIn(RefreshBehaviours()), kName);
INSTANTIATE_TEST_SUITE_P(Buffers, InventoryBehaviourTest, ::testing::ValuesIn(BufferBehaviours()), kName);
INSTANTIATE_TEST_SUITE_P(StartedCommands, InventoryBehaviourTest, ::testing::ValuesIn(StartedCommandBehaviours()),
                         kName);
INSTANTIATE_TEST_SUITE_P(ListCommands, InventoryBehaviourTest, ::testing::ValuesIn(ListCommandsBehaviours()), kName);

}  // namespace
}  // namespace zobl::testing
