#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "inventory_world.h"

namespace zobl::testing {
namespace list_commands {

// The backup file's bytes for a text: UTF-16LE.
inline std::string Le(std::u16string_view text) {
  std::string bytes;
  for (const char16_t unit : text) bytes += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
  return bytes;
}
inline std::u16string Ascii16(std::string_view text) { return {text.begin(), text.end()}; }
inline const std::string kBackupHeader = "\xFF\xFE" + Le(u"Windows Registry Editor Version 5.00\r\n\r\n");

inline void NothingSelectedShowsOneBoxForEitherCommand(InventoryHarness& h) {
  const std::string acme = h.Key("Acme");
  h.Add(acme, "Acme", "C:\\Acme\\un.exe");
  h.Refresh();
  h.commands.UninstallSelectedRow();
  h.commands.RemoveSelectedRow();
  ASSERT_EQ(h.dialogs.shown.size(), 2u);
  for (const auto& box : h.dialogs.shown) {
    EXPECT_EQ(box.text, kNothingSelectedText);
    EXPECT_EQ(box.icon, BoxIcon::Information);
  }
  EXPECT_TRUE(h.shell.started.empty());
  EXPECT_TRUE(h.Exists(acme));
  EXPECT_TRUE(h.Listed(acme));
}

inline void NoCommandRowStartsNothingAndPointsToTheRemoveButton(InventoryHarness& h) {
  const std::string gone = h.Key("Gone");
  h.Add(gone, "Gone", nullptr);
  h.Refresh();
  ASSERT_TRUE(h.Select(gone));
  h.commands.UninstallSelectedRow();
  ASSERT_EQ(h.dialogs.shown.size(), 1u);
  EXPECT_EQ(h.dialogs.shown[0].icon, BoxIcon::Warning);
  EXPECT_EQ(h.dialogs.shown[0].text, kNoCommandBoxText);
  EXPECT_TRUE(h.shell.started.empty());
}

inline void ConfirmedUninstallStartsTheCommandAndKeepsTheRow(InventoryHarness& h) {
  const std::string nameless = h.Key("Nameless");
  h.ShowNameless(true);
  h.Add(nameless, nullptr, "MsiExec.exe /X{1}");
  h.Refresh();
  ASSERT_TRUE(h.Select(nameless));
  h.commands.UninstallSelectedRow();
  ASSERT_EQ(h.dialogs.shown.size(), 1u);
  EXPECT_EQ(h.dialogs.shown[0].icon, BoxIcon::Question);
  EXPECT_EQ(h.dialogs.shown[0].text, ConfirmUninstallText("[NO NAME]"));
  EXPECT_EQ(h.shell.started, std::vector<std::string>{"\"MsiExec.exe\" /X{1}"});
  EXPECT_TRUE(h.Listed(nameless)) << "the row waits for the uninstaller";
  EXPECT_TRUE(h.Exists(nameless));
}

inline void AnsweringNoChangesNothing(InventoryHarness& h) {
  const std::string nameless = h.Key("Nameless");
  h.ShowNameless(true);
  h.Add(nameless, nullptr, "C:\\Acme\\un.exe");
  h.Refresh();
  ASSERT_TRUE(h.Select(nameless));
  h.dialogs.answer = BoxAnswer::No;
  h.commands.UninstallSelectedRow();
  h.commands.RemoveSelectedRow();
  ASSERT_EQ(h.dialogs.shown.size(), 2u);
  EXPECT_EQ(h.dialogs.shown[1].text, ConfirmRemoveText("[NO NAME]"));
  EXPECT_TRUE(h.shell.started.empty());
  EXPECT_TRUE(h.Exists(nameless));
  EXPECT_TRUE(h.Listed(nameless));
  EXPECT_EQ(h.world.BackupFileBytes(), "");
}

// A program path that names no file starts nothing; a name the system looks up and does
// not find fails to start.
inline void CommandThatDoesNotStartShowsTheFailureBox(InventoryHarness& h) {
  const std::string acme = h.Key("Acme");
  h.Add(acme, "Acme", h.MissingPath().c_str());
  h.Refresh();
  ASSERT_TRUE(h.Select(acme));
  h.commands.UninstallSelectedRow();
  EXPECT_TRUE(h.shell.started.empty());
  h.SetText(acme, "UninstallString", "missing.exe /x");
  h.Refresh();
  h.shell.startResult = 2;  // file not found
  h.commands.UninstallSelectedRow();
  ASSERT_EQ(h.dialogs.shown.size(), 4u);
  for (const std::size_t box : {1, 3}) {
    EXPECT_EQ(h.dialogs.shown[box].icon, BoxIcon::Error);
    EXPECT_EQ(h.dialogs.shown[box].text, kCommandFailedText);
  }
  EXPECT_TRUE(h.Listed(acme));
}

inline void RemovalDeletesTheKeyAndTheRowForGood(InventoryHarness& h) {
  const std::string acme = h.Key("Acme");
  const std::string bravo = h.Key("Bravo");
  h.Add(bravo, "Bravo", "x");
  h.Add(acme, "Acme", "C:\\Acme\\un.exe");
  h.Refresh();
  ASSERT_TRUE(h.Select(acme));
  const std::size_t rows = h.list.Count();
  h.commands.RemoveSelectedRow();
  ASSERT_EQ(h.dialogs.shown.size(), 1u);
  EXPECT_EQ(h.dialogs.shown[0].text, ConfirmRemoveText("Acme"));
  EXPECT_FALSE(h.Exists(acme));
  EXPECT_FALSE(h.Listed(acme)) << "at once";
  EXPECT_EQ(h.list.Count(), rows - 1);
  EXPECT_TRUE(h.Listed(bravo));
  EXPECT_TRUE(h.Exists(bravo));
  h.Refresh();
  EXPECT_FALSE(h.Listed(acme)) << "a refresh does not bring it back";
  EXPECT_TRUE(h.Listed(bravo));
}

// The deletion refuses a key with subkeys, and the box gives the system's reason; the copy
// saved just before is taken back. The
// file an earlier version left (8-bit, the system's code page) was converted first, and
// stays so, every entry kept: texts and hex string data become UTF-16, other data stay.
inline void FailedDeletionChangesNothingAndTakesTheCopyBack(InventoryHarness& h) {
  h.world.WriteBackupFile(
      "REGEDIT4\r\n\r\n; earlier: Caf\xe9\r\n[HKEY_CURRENT_USER\\Software\\Caf\xe9]\r\n"
      "\"Nom \\\"\xe9\\\"\"=\"\x80 5\"\r\n\"Path\"=hex(2):43,3a,5c,e9,00\r\n\"Parts\"=hex(7):61,00,\\\r\n  e9,00,00\r\n"
      "@=hex(1):e9,00\r\n\"Size\"=dword:00000010\r\n\"Bin\"=hex:e9,00\r\n\r\n");
  const std::string converted =
      kBackupHeader + Le(u"; earlier: Café\r\n[HKEY_CURRENT_USER\\Software\\Café]\r\n"
                         u"\"Nom \\\"é\\\"\"=\"€ 5\"\r\n\"Path\"=hex(2):43,00,3a,00,5c,00,e9,00,00,00\r\n"
                         u"\"Parts\"=hex(7):61,00,00,00,e9,00,00,00,00,00\r\n@=\"é\"\r\n"
                         u"\"Size\"=dword:00000010\r\n\"Bin\"=hex:e9,00\r\n\r\n");
  const std::string acme = h.Key("Acme");
  h.Add(acme, "Acme", "C:\\Acme\\un.exe");
  h.world.CreateDescriptor(acme + "\\Child");
  h.Refresh();
  ASSERT_TRUE(h.Select(acme));
  h.commands.RemoveSelectedRow();
  ASSERT_EQ(h.dialogs.shown.size(), 2u);
  EXPECT_EQ(h.dialogs.shown[1].icon, BoxIcon::Error);
  constexpr std::uint32_t kAccessDenied = 5;  // a key with subkeys, as on Windows NT
  EXPECT_EQ(h.dialogs.shown[1].text, RemoveFailedText("Acme", h.world.System().FailureText(kAccessDenied)));
  EXPECT_TRUE(h.Exists(acme));
  EXPECT_TRUE(h.Listed(acme));
  EXPECT_EQ(h.world.BackupFileBytes(), converted);

  // Once more, the file already in its present form: it is cut back to just that.
  h.commands.RemoveSelectedRow();
  EXPECT_EQ(h.dialogs.shown.size(), 4u);
  EXPECT_TRUE(h.Exists(acme));
  EXPECT_EQ(h.world.BackupFileBytes(), converted);
}

// Two rows of the same key name in two sources: the 32-bit one goes, from its own view,
// and the copy names the path that brings it back there.
inline void RemovalSavesACopyAndDeletesInTheRowsOwnSource(InventoryHarness& h) {
  const std::string acme = h.Key("AcmeKey");
  h.Add(acme, "Acme", nullptr, RegistrySource::Machine64);
  h.Add(acme, "Acme (32-bit)", nullptr, RegistrySource::Machine32);
  h.world.SetValue(acme, "Size", 4, std::string("\x10\0\0\0", 4), RegistrySource::Machine32);
  h.Refresh();
  ASSERT_TRUE(h.Select(acme, RegistrySource::Machine32));
  h.commands.RemoveSelectedRow();
  EXPECT_FALSE(h.Exists(acme, RegistrySource::Machine32));
  EXPECT_TRUE(h.Exists(acme, RegistrySource::Machine64));
  EXPECT_FALSE(h.Listed(acme, RegistrySource::Machine32));
  EXPECT_TRUE(h.Listed(acme, RegistrySource::Machine64));
  EXPECT_EQ(h.Rows().size(), 1u);
  const std::u16string tag = Ascii16(h.Tag());
  EXPECT_EQ(h.world.BackupFileBytes(),
            kBackupHeader +
                Le(u"; 2024-03-09 07:05:01 ZOBL Quillmoor removed: Acme (32-bit)\r\n"
                   u"[HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" +
                   tag +
                   u"AcmeKey]\r\n"
                   u"\"DisplayName\"=\"Acme (32-bit)\"\r\n"
                   u"\"Size\"=dword:00000010\r\n"
                   u"\r\n"));

  // The next copy goes behind it, without a second header; any script comes back.
  const std::size_t first = h.world.BackupFileBytes().size();
  const std::string user = h.Key("Программа😀");
  h.Add(user, "Bravo\r\nメ", nullptr, RegistrySource::User);
  h.world.SetValue(user, "Путь", 2, std::string("%ProgramFiles%\\Ж") + '\0', RegistrySource::User);
  h.Refresh();
  ASSERT_TRUE(h.Select(user, RegistrySource::User));
  h.commands.RemoveSelectedRow();
  EXPECT_FALSE(h.Exists(user, RegistrySource::User));
  EXPECT_FALSE(h.Listed(user, RegistrySource::User));
  EXPECT_EQ(h.world.BackupFileBytes().substr(first),
            Le(u"; 2024-03-09 07:05:01 ZOBL Quillmoor removed: Bravo  メ\r\n"
               u"[HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" +
               tag +
               u"Программа😀]\r\n"
               u"\"DisplayName\"=hex(1):42,00,72,00,61,00,76,00,6f,00,0d,00,0a,00,e1,30,00,00\r\n"
               u"\"Путь\"=hex(2):25,00,50,00,72,00,6f,00,67,00,72,00,61,00,6d,00,46,00,69,00,6c,\\\r\n"
               u"  00,65,00,73,00,25,00,5c,00,16,04,00,00\r\n"
               u"\r\n"));
}

// Without a whole copy in the file, nothing is removed and the user is told.
inline void ExpectNoCopyAndNothingRemoved(InventoryHarness& h, const std::string& keyName, const std::string& file) {
  h.commands.RemoveSelectedRow();
  ASSERT_EQ(h.dialogs.shown.size(), 2u);
  EXPECT_EQ(h.dialogs.shown[1].text, kBackupFailedText);
  EXPECT_EQ(h.dialogs.shown[1].icon, BoxIcon::Error);
  EXPECT_TRUE(h.Exists(keyName));
  EXPECT_TRUE(h.Listed(keyName));
  EXPECT_EQ(h.world.BackupFileBytes(), file);
}

inline void NoCopyWhenTheFileCannotBeWritten(InventoryHarness& h) {
  const std::string acme = h.Key("Acme");
  h.Add(acme, "Acme", "x");
  h.Refresh();
  ASSERT_TRUE(h.Select(acme));
  h.world.BlockBackupFile();
  ExpectNoCopyAndNothingRemoved(h, acme, "");
}

inline void NoCopyWhenTheDescriptorCannotBeReadWhole(InventoryHarness& h) {
  const std::string acme = h.Key("Acme");
  h.Add(acme, "Acme", "x");
  h.Refresh();
  ASSERT_TRUE(h.Select(acme));
  h.world.MakeUnreadable(acme);
  ExpectNoCopyAndNothingRemoved(h, acme, "");
}

inline void NoCopyWhenAKeyLineCannotHoldTheKeysName(InventoryHarness& h) {
  const std::string acme = h.Key("Acme\r\nKey");
  h.Add(acme, "Acme", "x");
  h.Refresh();
  ASSERT_TRUE(h.Select(acme));
  ExpectNoCopyAndNothingRemoved(h, acme, "");
}

inline void NoCopyWhenTheEarlierFileHasAValueOfAnotherForm(InventoryHarness& h) {
  const std::string earlier = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\x]\r\n\"a\"=hex(2):4\r\n";
  h.world.WriteBackupFile(earlier);
  const std::string acme = h.Key("Acme");
  h.Add(acme, "Acme", "x");
  h.Refresh();
  ASSERT_TRUE(h.Select(acme));
  ExpectNoCopyAndNothingRemoved(h, acme, earlier);
}

// Another program takes the descriptor away and writes it back while the question is
// open; a refresh in between drops the selected row. The one that took its place in
// the list stays.
inline void RowDroppedWhileTheQuestionIsOpenIsNotMistakenForAnother(InventoryHarness& h) {
  const std::string acme = h.Key("Acme");
  const std::string bravo = h.Key("Bravo");
  h.Add(acme, "Acme", "C:\\Acme\\un.exe");
  h.Add(bravo, "Bravo", "x");
  h.Refresh();
  ASSERT_TRUE(h.Select(acme));
  const std::size_t rows = h.list.Count();
  h.dialogs.whileShown = [&] {
    h.world.DeleteDescriptor(acme);
    h.Refresh();
    h.Add(acme, "Acme", "C:\\Acme\\un.exe");
  };
  h.commands.RemoveSelectedRow();
  EXPECT_FALSE(h.Exists(acme));
  EXPECT_FALSE(h.Listed(acme));
  EXPECT_EQ(h.list.Count(), rows - 1) << "no other row removed";
  EXPECT_TRUE(h.Listed(bravo));
  EXPECT_TRUE(h.Exists(bravo));
}

// Gone for good while the question is open: nothing to copy and nothing to delete,
// which fails without a word.
inline void DescriptorGoneWhileTheQuestionIsOpen(InventoryHarness& h) {
  const std::string acme = h.Key("Acme");
  const std::string annex = h.Key("Acme Annex");
  h.Add(acme, "Acme", "C:\\Acme\\un.exe");
  h.Add(annex, "Acme Annex", "C:\\Acme\\un.exe");
  h.Refresh();
  ASSERT_TRUE(h.Select(acme));
  const std::size_t rows = h.list.Count();
  h.dialogs.whileShown = [&] {
    h.world.DeleteDescriptor(acme);
    h.Refresh();
  };
  h.commands.RemoveSelectedRow();
  EXPECT_EQ(h.dialogs.shown.size(), 1u);
  EXPECT_FALSE(h.Listed(acme));
  EXPECT_EQ(h.list.Count(), rows - 1);
  EXPECT_TRUE(h.Listed(annex)) << "nothing wrong removed";
  EXPECT_TRUE(h.Exists(annex));
  EXPECT_EQ(h.world.BackupFileBytes(), "");
}

inline void UninstallUsesTheCommandCopiedBeforeTheQuestion(InventoryHarness& h) {
  const std::string acme = h.Key("Acme");
  const std::string program = h.AddProgram("Acme", "un.exe") + "\\un.exe";
  h.Add(acme, "Acme", program.c_str());
  h.Refresh();
  ASSERT_TRUE(h.Select(acme));
  h.dialogs.whileShown = [&] {
    h.world.DeleteDescriptor(acme);
    h.Refresh();
  };
  h.commands.UninstallSelectedRow();
  EXPECT_FALSE(h.Listed(acme));
  EXPECT_EQ(h.shell.started, std::vector<std::string>{'"' + program + '"'});
}

// Started as it stands, an unquoted "...\Program Files\..." line runs "...\Program.exe"
// when there is one. Stored as an expandable text, the command is started expanded, and
// quoted the same way.
inline void UnquotedProgramPathNeverRunsAShorterPrefix(InventoryHarness& h) {
  const std::string root = h.world.ProgramsRoot();
  const std::string directory = root + "\\Program Files\\Acme Tools";
  h.world.MakeFile(root + "\\Program.exe");
  h.world.MakeDirectory(root + "\\Program Files");
  h.world.MakeDirectory(directory);
  h.world.MakeFile(directory + "\\un.exe");
  h.world.SetVariable("ZoblTestPrograms", root + "\\Program Files");
  const std::string plain = h.Key("Plain");
  const std::string expandable = h.Key("Expandable");
  h.Add(plain, "Plain", (directory + "\\un.exe /x").c_str());
  h.Add(expandable, "Expandable", nullptr);
  h.SetText(expandable, "UninstallString", "%ZoblTestPrograms%\\Acme Tools\\un.exe " + expandable,
            RegistrySource::Machine64, kExpandableTextType);
  h.Refresh();
  ASSERT_TRUE(h.Select(plain));
  h.commands.UninstallSelectedRow();
  ASSERT_TRUE(h.Select(expandable));
  h.commands.UninstallSelectedRow();
  EXPECT_EQ(h.dialogs.shown.size(), 2u) << "no failure box";
  EXPECT_EQ(h.shell.started, (std::vector<std::string>{"\"" + directory + "\\un.exe\" /x",
                                                       "\"" + directory + "\\un.exe\" " + expandable}));
}

}  // namespace list_commands

inline const std::vector<InventoryBehaviour>& ListCommandsBehaviours() {
  using namespace list_commands;
  static const std::vector<InventoryBehaviour> all = {
      {"NothingSelectedShowsOneBoxForEitherCommand", NothingSelectedShowsOneBoxForEitherCommand},
      {"NoCommandRowStartsNothingAndPointsToTheRemoveButton", NoCommandRowStartsNothingAndPointsToTheRemoveButton},
      {"ConfirmedUninstallStartsTheCommandAndKeepsTheRow", ConfirmedUninstallStartsTheCommandAndKeepsTheRow},
      {"AnsweringNoChangesNothing", AnsweringNoChangesNothing},
      {"CommandThatDoesNotStartShowsTheFailureBox", CommandThatDoesNotStartShowsTheFailureBox},
      {"RemovalDeletesTheKeyAndTheRowForGood", RemovalDeletesTheKeyAndTheRowForGood},
      {"FailedDeletionChangesNothingAndTakesTheCopyBack", FailedDeletionChangesNothingAndTakesTheCopyBack},
      {"RemovalSavesACopyAndDeletesInTheRowsOwnSource", RemovalSavesACopyAndDeletesInTheRowsOwnSource},
      {"NoCopyWhenTheFileCannotBeWritten", NoCopyWhenTheFileCannotBeWritten},
      {"NoCopyWhenTheDescriptorCannotBeReadWhole", NoCopyWhenTheDescriptorCannotBeReadWhole},
      {"NoCopyWhenAKeyLineCannotHoldTheKeysName", NoCopyWhenAKeyLineCannotHoldTheKeysName},
      {"NoCopyWhenTheEarlierFileHasAValueOfAnotherForm", NoCopyWhenTheEarlierFileHasAValueOfAnotherForm},
      {"RowDroppedWhileTheQuestionIsOpenIsNotMistakenForAnother",
       RowDroppedWhileTheQuestionIsOpenIsNotMistakenForAnother},
      {"DescriptorGoneWhileTheQuestionIsOpen", DescriptorGoneWhileTheQuestionIsOpen},
      {"UninstallUsesTheCommandCopiedBeforeTheQuestion", UninstallUsesTheCommandCopiedBeforeTheQuestion},
  };
  return all;
}

// How a command is started, over the fakes: the rule's own table is
// tests/host/command_to_start_test.cpp, and one window test runs it for real.
inline const std::vector<InventoryBehaviour>& StartedCommandBehaviours() {
  using namespace list_commands;
  static const std::vector<InventoryBehaviour> all = {
      {"UnquotedProgramPathNeverRunsAShorterPrefix", UnquotedProgramPathNeverRunsAShorterPrefix},
  };
  return all;
}

}  // namespace zobl::testing
