#include "mainwindow/list_commands.h"

#include <gtest/gtest.h>

#include "fake_backup_file.h"
#include "fake_file_system.h"
#include "fake_registry.h"
#include "fake_user_interface.h"
#include "inventory/uninstall_key.h"
#include "platform/portable_locale.h"

namespace zobl::testing {
namespace {

// The backup file's bytes for a text: UTF-16LE.
std::string Le(std::u16string_view text) {
  std::string bytes;
  for (const char16_t unit : text) bytes += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
  return bytes;
}
const std::string kHeader = "\xFF\xFE" + Le(u"Windows Registry Editor Version 5.00\r\n\r\n");

class ListCommandsTest : public ::testing::Test {
 protected:
  RowId AddRow(const std::optional<std::string>& name,
               const std::string& key,
               const std::optional<std::string>& command,
               RegistrySource source = RegistrySource::Machine64) {
    registry_.CreateKey(std::string(kUninstallKeyPath) + "\\" + key, source);
    if (name) registry_.SetText(std::string(kUninstallKeyPath) + "\\" + key, "DisplayName", *name, source);
    return list_.Add({.Source = source, .Name = name, .KeyName = key, .Command = command});
  }
  bool KeyExists(const std::string& key, RegistrySource source = RegistrySource::Machine64) const {
    return registry_.KeyExists(std::string(kUninstallKeyPath) + "\\" + key, source);
  }
  const std::string& BackupFile() { return backupFiles_.files["ZOBL-removed.reg"]; }

  PortableLocale locale_;
  InventoryList list_{locale_};
  FakeRegistry registry_;
  FakeFileSystem fileSystem_;
  FakeShell shell_;
  FakeDialogs dialogs_;
  FakeGrowingFiles backupFiles_;
  FixedClock clock_;
  DescriptorBackup backup_{registry_, backupFiles_, clock_};
  ListCommands commands_{list_, registry_, fileSystem_, shell_, dialogs_, backup_};
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
  list_.Select(AddRow("Gone", "GoneKey", std::nullopt));
  commands_.ButtonUninstallClick();
  ASSERT_EQ(dialogs_.shown.size(), 1u);
  EXPECT_EQ(dialogs_.shown[0].icon, BoxIcon::Warning);
  EXPECT_NE(dialogs_.shown[0].text.find("\"Remove Line But not the files\""), std::string::npos);
  EXPECT_TRUE(shell_.started.empty());
}

TEST_F(ListCommandsTest, ConfirmedUninstallStartsTheCommandAndKeepsTheRow) {
  list_.Select(AddRow(std::nullopt, "Nameless", "MsiExec.exe /X{1}"));
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

// The deletion refuses a key with subkeys; the copy saved just before is taken back. The
// file an earlier version left (8-bit, the system's code page) was converted first, and
// stays so, every entry kept: texts and hex string data become UTF-16, other data stay.
TEST_F(ListCommandsTest, FailedDeletionChangesNothingAndTakesTheCopyBack) {
  backupFiles_.files["ZOBL-removed.reg"] =
      "REGEDIT4\r\n\r\n; earlier: Caf\xe9\r\n[HKEY_CURRENT_USER\\Software\\Caf\xe9]\r\n"
      "\"Nom \\\"\xe9\\\"\"=\"\x80 5\"\r\n\"Path\"=hex(2):43,3a,5c,e9,00\r\n\"Parts\"=hex(7):61,00,\\\r\n  e9,00,00\r\n"
      "@=hex(1):e9,00\r\n\"Size\"=dword:00000010\r\n\"Bin\"=hex:e9,00\r\n\r\n";
  list_.Select(AddRow("Acme", "AcmeKey", "C:\\Acme\\un.exe"));
  registry_.CreateKey(std::string(kUninstallKeyPath) + "\\AcmeKey\\Child");
  commands_.ButtonRemoveEntryClick();
  EXPECT_EQ(dialogs_.shown.size(), 1u) << "nothing is reported";
  EXPECT_TRUE(KeyExists("AcmeKey"));
  EXPECT_EQ(list_.Count(), 1u);
  EXPECT_EQ(BackupFile(), kHeader + Le(u"; earlier: Café\r\n[HKEY_CURRENT_USER\\Software\\Café]\r\n"
                                       u"\"Nom \\\"é\\\"\"=\"€ 5\"\r\n\"Path\"=hex(2):43,00,3a,00,5c,00,e9,00,00,00\r\n"
                                       u"\"Parts\"=hex(7):61,00,00,00,e9,00,00,00,00,00\r\n@=\"é\"\r\n"
                                       u"\"Size\"=dword:00000010\r\n\"Bin\"=hex:e9,00\r\n\r\n"));
}

// Two rows of the same key name in two sources: the 32-bit one goes, from its own view,
// and the copy names the path that brings it back there.
TEST_F(ListCommandsTest, RemovalSavesACopyAndDeletesInTheRowsOwnSource) {
  AddRow("Acme", "AcmeKey", "x", RegistrySource::Machine64);
  const RowId acme32 = AddRow("Acme (32-bit)", "AcmeKey", "x", RegistrySource::Machine32);
  registry_.SetTypedValue(std::string(kUninstallKeyPath) + "\\AcmeKey", "Size", 4, std::string("\x10\0\0\0", 4),
                          RegistrySource::Machine32);
  list_.Select(acme32);
  commands_.ButtonRemoveEntryClick();
  EXPECT_FALSE(KeyExists("AcmeKey", RegistrySource::Machine32));
  EXPECT_TRUE(KeyExists("AcmeKey", RegistrySource::Machine64));
  ASSERT_EQ(list_.Count(), 1u);
  EXPECT_EQ(list_.RowAt(0).Source, RegistrySource::Machine64);
  EXPECT_EQ(
      BackupFile(),
      kHeader +
          Le(u"; 2024-03-09 07:05:01 ZOBL Quillmoor removed: Acme (32-bit)\r\n"
             u"[HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\AcmeKey]\r\n"
             u"\"DisplayName\"=\"Acme (32-bit)\"\r\n"
             u"\"Size\"=dword:00000010\r\n"
             u"\r\n"));

  // The next copy goes behind it, without a second header; any script comes back.
  const std::size_t first = BackupFile().size();
  list_.Select(AddRow("Bravo\r\nメ", "Программа😀", "x", RegistrySource::User));
  registry_.SetTypedValue(std::string(kUninstallKeyPath) + "\\Программа😀", "Путь", 2,
                          std::string("%ProgramFiles%\\Ж") + '\0', RegistrySource::User);
  commands_.ButtonRemoveEntryClick();
  EXPECT_FALSE(KeyExists("Программа😀", RegistrySource::User));
  EXPECT_EQ(BackupFile().substr(first),
            Le(u"; 2024-03-09 07:05:01 ZOBL Quillmoor removed: Bravo  メ\r\n"
               u"[HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Программа😀]\r\n"
               u"\"DisplayName\"=hex(1):42,00,72,00,61,00,76,00,6f,00,0d,00,0a,00,e1,30,00,00\r\n"
               u"\"Путь\"=hex(2):25,00,50,00,72,00,6f,00,67,00,72,00,61,00,6d,00,46,00,69,00,6c,\\\r\n"
               u"  00,65,00,73,00,25,00,5c,00,16,04,00,00\r\n"
               u"\r\n"));
}

TEST_F(ListCommandsTest, NoCopyNoRemoval) {
  struct Case {
    const char* title;
    const char* key;
    bool fileUnwritable;
    bool descriptorUnreadable;
    const char* earlierFile = nullptr;
  };
  for (const Case c :
       {Case{"the file cannot be written", "AcmeKey", true, false},
        Case{"the descriptor cannot be read whole", "AcmeKey", false, true},
        Case{"a key line cannot hold the key's name", "Acme\r\nKey", false, false},
        Case{"an earlier file with a byte of no character", "AcmeKey", false, false, "REGEDIT4\r\n\r\n; \x81\r\n"},
        Case{"an earlier file with a value of another form", "AcmeKey", false, false,
             "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\x]\r\n\"a\"=hex(2):4\r\n"}}) {
    SCOPED_TRACE(c.title);
    dialogs_.shown.clear();
    list_.Select(AddRow("Acme", c.key, "x"));
    if (c.earlierFile) backupFiles_.files["ZOBL-removed.reg"] = c.earlierFile;
    if (c.fileUnwritable) backupFiles_.unwritable.insert("ZOBL-removed.reg");
    registry_.failValueEnumeration = c.descriptorUnreadable;
    commands_.ButtonRemoveEntryClick();
    ASSERT_EQ(dialogs_.shown.size(), 2u);
    EXPECT_EQ(dialogs_.shown[1].text, "Cannot save a copy of the descriptor to ZOBL-removed.reg. Nothing was removed.");
    EXPECT_EQ(dialogs_.shown[1].icon, BoxIcon::Error);
    EXPECT_TRUE(KeyExists(c.key));
    EXPECT_EQ(list_.Count(), 1u);
    EXPECT_EQ(backupFiles_.files["ZOBL-removed.reg"], c.earlierFile ? c.earlierFile : "");
    backupFiles_.files.clear();
    backupFiles_.unwritable.clear();
    registry_.failValueEnumeration = false;
    list_.DeleteAt(0);
  }
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
