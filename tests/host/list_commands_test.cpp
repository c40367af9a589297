#include "mainwindow/list_commands.h"

#include <gtest/gtest.h>

#include "fake_file_system.h"
#include "fake_registry.h"
#include "fake_user_interface.h"
#include "inventory/uninstall_key.h"
#include "platform/portable_locale.h"

namespace zobl::testing {
namespace {

class ListCommandsTest : public ::testing::Test {
 protected:
  RowId AddRow(const std::string& name, const std::string& key, const std::string& command) {
    const RowId id = list_.Append();
    list_.SetName(id, name);
    for (const std::string& text : {key, std::string("[unknown]"), std::string("[NOT YET COMPUTED]"), command,
                                    std::string("[MISSING OR SYSTEM DIRECTORY ?]")}) {
      list_.AppendFurtherText(id, text);
    }
    registry_.CreateKey(std::string(kUninstallKeyPath) + "\\" + key);
    return id;
  }
  bool KeyExists(const std::string& key) const {
    return registry_.KeyExists(std::string(kUninstallKeyPath) + "\\" + key);
  }

  PortableLocale locale_;
  InventoryList list_{locale_};
  FakeRegistry registry_;
  FakeFileSystem fileSystem_;
  FakeShell shell_;
  FakeDialogs dialogs_;
  ListCommands commands_{list_, registry_, fileSystem_, shell_, dialogs_};
};

TEST_F(ListCommandsTest, NothingSelectedShowsOneBoxForEitherCommand) {
  AddRow("Acme", "AcmeKey", "C:\\Acme\\un.exe");
  commands_.ButtonUninstallClick();
  commands_.ButtonRemoveEntryClick();
  ASSERT_EQ(dialogs_.shown.size(), 2u);
  for (const auto& box : dialogs_.shown) {
    EXPECT_EQ(box.text, "No item selected. Please select one of them and retry.");
    EXPECT_EQ(box.icon, BoxIcon::Information);
  }
  EXPECT_TRUE(shell_.started.empty());
  EXPECT_TRUE(KeyExists("AcmeKey"));
}

TEST_F(ListCommandsTest, NoCommandRowStartsNothingAndPointsToTheRemoveButton) {
  list_.Select(AddRow("Gone", "GoneKey", "[NO COMMAND]"));
  commands_.ButtonUninstallClick();
  ASSERT_EQ(dialogs_.shown.size(), 1u);
  EXPECT_EQ(dialogs_.shown[0].icon, BoxIcon::Warning);
  EXPECT_NE(dialogs_.shown[0].text.find("\"Remove Line But not the files\""), std::string::npos);
  EXPECT_TRUE(shell_.started.empty());
}

TEST_F(ListCommandsTest, ConfirmedUninstallStartsTheCommandAndKeepsTheRow) {
  list_.Select(AddRow("[NO NAME]", "Nameless", "MsiExec.exe /X{1}"));
  commands_.ButtonUninstallClick();
  ASSERT_EQ(dialogs_.shown.size(), 1u);
  EXPECT_EQ(dialogs_.shown[0].icon, BoxIcon::Question);
  EXPECT_EQ(dialogs_.shown[0].text,
            "Do you really want to uninstall the program \"[NO NAME]\" ?\n\nThis program will be removed from your "
            "hard disk.\n\nClick on Yes to uninstall the program, or on No to cancel.");
  EXPECT_EQ(shell_.started, std::vector<std::string>{"MsiExec.exe /X{1}"});
  EXPECT_EQ(list_.Count(), 1u);
}

TEST_F(ListCommandsTest, AnsweringNoChangesNothing) {
  list_.Select(AddRow("Acme", "AcmeKey", "C:\\Acme\\un.exe"));
  dialogs_.answer = BoxAnswer::No;
  commands_.ButtonUninstallClick();
  commands_.ButtonRemoveEntryClick();
  EXPECT_EQ(dialogs_.shown.size(), 2u);
  EXPECT_TRUE(shell_.started.empty());
  EXPECT_TRUE(KeyExists("AcmeKey"));
  EXPECT_EQ(list_.Count(), 1u);
}

TEST_F(ListCommandsTest, CommandThatDoesNotStartShowsTheFailureBox) {
  list_.Select(AddRow("Acme", "AcmeKey", "C:\\Acme\\missing.exe"));
  shell_.startResult = 2;  // file not found
  commands_.ButtonUninstallClick();
  ASSERT_EQ(dialogs_.shown.size(), 2u);
  EXPECT_EQ(dialogs_.shown[1].icon, BoxIcon::Error);
  EXPECT_EQ(dialogs_.shown[1].text.rfind("The uninstallation command failed.", 0), 0u);
  EXPECT_EQ(list_.Count(), 1u);
}

TEST_F(ListCommandsTest, RemovalDeletesTheKeyAndTheRowAtOnce) {
  AddRow("Bravo", "BravoKey", "x");
  list_.Select(AddRow("Acme", "AcmeKey", "C:\\Acme\\un.exe"));
  commands_.ButtonRemoveEntryClick();
  ASSERT_EQ(dialogs_.shown.size(), 1u);
  EXPECT_EQ(dialogs_.shown[0].text,
            "Do you really want to remove the uninstall descriptor of the program \"Acme\" ?\n\nYou should remove "
            "it only if the program was uninstalled previously.\n\nClick on Yes to remove the descriptor, or on No "
            "to cancel.");
  EXPECT_FALSE(KeyExists("AcmeKey"));
  ASSERT_EQ(list_.Count(), 1u);
  EXPECT_EQ(list_.RowAt(0).Name, "Bravo");
}

TEST_F(ListCommandsTest, FailedDeletionChangesNothing) {
  list_.Select(AddRow("Acme", "AcmeKey", "C:\\Acme\\un.exe"));
  registry_.CreateKey(std::string(kUninstallKeyPath) + "\\AcmeKey\\Child");  // a key with subkeys stays
  commands_.ButtonRemoveEntryClick();
  EXPECT_TRUE(KeyExists("AcmeKey"));
  EXPECT_EQ(list_.Count(), 1u);
}

TEST_F(ListCommandsTest, RowDroppedWhileTheQuestionIsOpenIsNotMistakenForAnother) {
  const RowId acme = AddRow("Acme", "AcmeKey", "C:\\Acme\\un.exe");
  AddRow("Bravo", "BravoKey", "x");
  list_.Select(acme);
  // A refresh during the question drops the selected row (its key went elsewhere).
  dialogs_.whileShown = [&] { list_.DeleteAt(*list_.IndexOf(acme)); };
  commands_.ButtonRemoveEntryClick();
  EXPECT_FALSE(KeyExists("AcmeKey"));
  ASSERT_EQ(list_.Count(), 1u);
  EXPECT_EQ(list_.RowAt(0).Name, "Bravo");
  EXPECT_TRUE(KeyExists("BravoKey"));
}

TEST_F(ListCommandsTest, UninstallUsesTheTextsCopiedBeforeTheQuestion) {
  const RowId acme = AddRow("Acme", "AcmeKey", "C:\\Acme\\un.exe");
  list_.Select(acme);
  dialogs_.whileShown = [&] { list_.DeleteAt(*list_.IndexOf(acme)); };
  commands_.ButtonUninstallClick();
  EXPECT_EQ(shell_.started, std::vector<std::string>{"C:\\Acme\\un.exe"});
}

}  // namespace
}  // namespace zobl::testing
