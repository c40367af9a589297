#include "ui/list_commands.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "fake_inventory_world.h"
#include "list_commands_behaviours.h"
#include "platform/utf16_text.h"

namespace zobl::testing {
namespace {

// The boxes' wording, here alone: every other test names a box by the program's own text.
TEST(ListCommandsTest, BoxesReadAsWritten) {
  const std::pair<std::string, std::string> boxes[] = {
      {kNothingSelectedText, "No item selected. Please select one of them and retry."},
      {kNoCommandBoxText,
       "There is no uninstallation command associated to this item.\n\nIf this program was already uninstalled, you "
       "could click on the button \"Remove Line But not the files\"."},
      {ConfirmUninstallText("[NO NAME]"),
       "Do you really want to uninstall the program \"[NO NAME]\" ?\n\nThis program will be removed from your hard "
       "disk.\n\nClick on Yes to uninstall the program, or on No to cancel."},
      {ConfirmRemoveText("Acme"),
       "Do you really want to remove the uninstall descriptor of the program \"Acme\" ?\n\nYou should remove it only "
       "if the program was uninstalled previously.\n\nClick on Yes to remove the descriptor, or on No to cancel."},
      {kCommandFailedText,
       "The uninstallation command failed.\n\nIf this program was already uninstalled, you could click on the button "
       "\"Remove Line But not the files\"."},
      {kBackupFailedText, "Cannot save a copy of the descriptor to ZOBL-removed.reg. Nothing was removed."},
      {BackupFailedText(FileRefusal::Unwritable), kBackupFailedText},
      {BackupFailedText(FileRefusal::Link),
       "Cannot save a copy of the descriptor to ZOBL-removed.reg: it is a link to another file. Nothing was removed."},
      {BackupFailedText(FileRefusal::SeveralNames),
       "Cannot save a copy of the descriptor to ZOBL-removed.reg: the file has other names as well (hard links). "
       "Nothing was removed."},
      {BackupFailedText(FileRefusal::OtherContent),
       "Cannot save a copy of the descriptor to ZOBL-removed.reg: it is not a registry file. Nothing was removed."},
      {RemoveFailedText("Acme", "Access is denied."),
       "The uninstall descriptor of the program \"Acme\" could not be removed:\n\nAccess is denied.\n\nNothing "
       "was changed."},
      {ElevatedStartQuestionText("Acme"),
       "The uninstall command of the program \"Acme\" can be changed by programs running without administrator "
       "rights, and it would run with administrator rights.\n\nDo you want to start it all the same?"},
  };
  for (const auto& [text, written] : boxes) EXPECT_EQ(text, written);
}

// Removing one selected descriptor, over the fakes.
class RemovalTest : public ::testing::Test {
 protected:
  // The descriptor `keyName`, listed and selected.
  void Select(const std::string& keyName) {
    h.Add(keyName, "Acme", "x");
    h.Refresh();
    ASSERT_TRUE(h.Select(keyName));
  }

  FakeInventoryWorld world;
  InventoryHarness h{world, "Zobl-"};
};

// The fake's code page has bytes of no character; the system's may have none.
TEST_F(RemovalTest, NoCopyWhenTheEarlierFileHasAByteOfNoCharacter) {
  const std::string earlier = "REGEDIT4\r\n\r\n; \x81\r\n";
  world.WriteBackupFile(earlier);
  Select("Acme");
  list_commands::ExpectNoCopyAndNothingRemoved(h, "Acme", earlier);
}

// A link at the backup file's name: the box says so, and the descriptor stays.
TEST_F(RemovalTest, BackupFileThatIsALinkIsRefusedAndNothingRemoved) {
  Select("Acme");
  world.backupFiles.links.insert(kBackupFileName);
  h.commands.RemoveSelectedRow();
  ASSERT_EQ(h.dialogs.shown.size(), 2u);
  EXPECT_EQ(h.dialogs.shown[1].text, BackupFailedText(FileRefusal::Link));
  EXPECT_TRUE(h.Exists("Acme"));
}

// A key name no registry file can hold exactly (a lone surrogate) would come back under
// another name: no copy, so nothing removed.
TEST_F(RemovalTest, NoCopyOfAKeyWhoseNameAFileCannotHold) {
  const std::string odd = KeyNameFromUtf16(u"Tool\xD800");
  Select(odd);
  list_commands::ExpectNoCopyAndNothingRemoved(h, odd, "");
}

// Another process deletes the descriptor while its copy is being read: there is nothing
// to keep and nothing to tell, and the row leaves at the next refresh.
TEST_F(RemovalTest, DescriptorGoneDuringItsCopyIsNeitherCopiedNorReported) {
  Select("Acme");
  world.registry.onEnumerateValue = [&] { h.world.DeleteDescriptor("Acme"); };
  h.commands.RemoveSelectedRow();
  EXPECT_EQ(h.dialogs.shown.size(), 1u) << "the question alone";
  EXPECT_EQ(world.BackupFileBytes(), "");
  h.Refresh();
  EXPECT_FALSE(h.Listed("Acme"));
}

}  // namespace
}  // namespace zobl::testing
