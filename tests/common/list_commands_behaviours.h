#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "fake_backup_file.h"
#include "fake_user_interface.h"
#include "inventory/descriptor_backup.h"
#include "inventory/inventory_list.h"
#include "inventory/inventory_refresh.h"
#include "mainwindow/list_commands.h"
#include "platform/file_system.h"
#include "platform/growing_file.h"
#include "platform/locale.h"
#include "platform/process_code_page.h"
#include "platform/registry.h"

namespace zobl::testing {

// The registry, disk and backup file that the list commands run against: fakes on the
// host, the system's under Wine. Key names are subkey names below the Uninstall key of
// a source; texts are UTF-8.
class CommandsWorld {
 public:
  virtual ~CommandsWorld() = default;

  virtual Registry& System() = 0;
  virtual FileSystem& Files() = 0;
  // Where the backup file goes (by its name alone, as the window writes it).
  virtual GrowingFiles& BackupFiles() = 0;
  virtual const Locale& TextOrder() = 0;

  // A descriptor, or a subkey of one ("key\\child").
  virtual void CreateDescriptor(RegistrySource source, const std::string& keyName) = 0;
  // A value as the 8-bit calls see it: texts (types 1, 2 and 7) in UTF-8 with their
  // terminating zero, stored as the registry stores them, in UTF-16.
  virtual void SetValue(RegistrySource source,
                        const std::string& keyName,
                        const std::string& valueName,
                        std::uint32_t type,
                        const std::string& bytes) = 0;
  // The descriptor with everything below it.
  virtual void DeleteDescriptor(RegistrySource source, const std::string& keyName) = 0;
  [[nodiscard]] virtual bool DescriptorExists(RegistrySource source, const std::string& keyName) = 0;
  // Leaves the descriptor with values that cannot all be read.
  virtual void MakeUnreadable(RegistrySource source, const std::string& keyName) = 0;

  // The backup file's bytes; empty when there is none, or it cannot be read.
  virtual std::string BackupFileBytes() = 0;
  virtual void WriteBackupFile(const std::string& bytes) = 0;
  // Makes the backup file impossible to write.
  virtual void BlockBackupFile() = 0;

  // An existing directory to put programs in; no blank in its path.
  virtual std::string ProgramsRoot() = 0;
  virtual void MakeDirectory(const std::string& path) = 0;
  virtual void MakeFile(const std::string& path) = 0;
  // A variable of the environment, as %name% in an expandable text names it.
  virtual void SetVariable(const std::string& name, const std::string& value) = 0;
};

// The two commands over a world, with the list a refresh fills, a recording shell and
// dialogs the test answers. The descriptors the test made carry its tag, which keeps
// them apart from the others of a real registry.
class CommandsHarness {
 public:
  CommandsHarness(CommandsWorld& descriptors, std::string tag) : world(descriptors), tag_(std::move(tag)) {}

  std::string Key(const std::string& suffix) const { return tag_ + suffix; }
  const std::string& Tag() const { return tag_; }

  // A descriptor with the texts that are given.
  void Add(const std::string& keyName,
           const char* displayName,
           const char* command,
           RegistrySource source = RegistrySource::Machine64) {
    world.CreateDescriptor(source, keyName);
    if (displayName != nullptr) SetText(keyName, "DisplayName", displayName, source);
    if (command != nullptr) SetText(keyName, "UninstallString", command, source);
  }
  void SetText(const std::string& keyName,
               const std::string& valueName,
               const std::string& text,
               RegistrySource source = RegistrySource::Machine64,
               std::uint32_t type = 1) {
    world.SetValue(source, keyName, valueName, type, text + '\0');
  }
  void Refresh() { refresher.RefreshInventory(); }

  const UninstallEntry* Row(const std::string& keyName, RegistrySource source = RegistrySource::Machine64) const {
    for (std::size_t i = 0; i < list.Count(); ++i) {
      const UninstallEntry& row = list.RowAt(i);
      if (row.Source == source && row.KeyName == keyName) return &row;
    }
    return nullptr;
  }
  bool Listed(const std::string& keyName, RegistrySource source = RegistrySource::Machine64) const {
    return Row(keyName, source) != nullptr;
  }
  // The test's rows, whatever their source.
  std::size_t OwnRows() const {
    std::size_t rows = 0;
    for (std::size_t i = 0; i < list.Count(); ++i) rows += list.RowAt(i).KeyName.rfind(tag_, 0) == 0 ? 1 : 0;
    return rows;
  }
  // Selects the row as a click would; false when it is not listed.
  bool Select(const std::string& keyName, RegistrySource source = RegistrySource::Machine64) {
    const UninstallEntry* row = Row(keyName, source);
    if (row == nullptr) return false;
    list.Select(row->Id);
    return true;
  }
  bool Exists(const std::string& keyName, RegistrySource source = RegistrySource::Machine64) const {
    return world.DescriptorExists(source, keyName);
  }

  CommandsWorld& world;
  bool namelessShown = false;
  InventoryList list{world.TextOrder()};
  InventoryRefresher refresher{world.System(), world.Files(), world.TextOrder(), list,
                               [this] { return namelessShown; }};
  FakeShell shell;
  FakeDialogs dialogs;
  FixedClock clock;
  Utf8ProcessCodePage codePage;
  DescriptorBackup backup{world.System(), world.BackupFiles(), clock, codePage};
  ListCommands commands{list, world.System(), world.Files(), shell, dialogs, backup};

 private:
  std::string tag_;
};

struct CommandsBehaviour {
  const char* name;  // a test name
  void (*run)(CommandsHarness&);
};

inline void PrintTo(const CommandsBehaviour& behaviour, std::ostream* out) { *out << behaviour.name; }

namespace list_commands {

// The backup file's bytes for a text: UTF-16LE.
inline std::string Le(std::u16string_view text) {
  std::string bytes;
  for (const char16_t unit : text) bytes += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
  return bytes;
}
inline std::u16string Ascii16(std::string_view text) { return {text.begin(), text.end()}; }
inline const std::string kBackupHeader = "\xFF\xFE" + Le(u"Windows Registry Editor Version 5.00\r\n\r\n");

inline void NothingSelectedShowsOneBoxForEitherCommand(CommandsHarness& h) {
  const std::string acme = h.Key("Acme");
  h.Add(acme, "Acme", "C:\\Acme\\un.exe");
  h.Refresh();
  h.commands.ButtonUninstallClick();
  h.commands.ButtonRemoveEntryClick();
  ASSERT_EQ(h.dialogs.shown.size(), 2u);
  for (const auto& box : h.dialogs.shown) {
    EXPECT_EQ(box.text, "No item selected. Please select one of them and retry.");
    EXPECT_EQ(box.icon, BoxIcon::Information);
  }
  EXPECT_TRUE(h.shell.started.empty());
  EXPECT_TRUE(h.Exists(acme));
  EXPECT_TRUE(h.Listed(acme));
}

inline void NoCommandRowStartsNothingAndPointsToTheRemoveButton(CommandsHarness& h) {
  const std::string gone = h.Key("Gone");
  h.Add(gone, "Gone", nullptr);
  h.Refresh();
  ASSERT_TRUE(h.Select(gone));
  h.commands.ButtonUninstallClick();
  ASSERT_EQ(h.dialogs.shown.size(), 1u);
  EXPECT_EQ(h.dialogs.shown[0].icon, BoxIcon::Warning);
  EXPECT_EQ(h.dialogs.shown[0].text.rfind("There is no uninstallation command associated to this item.", 0), 0u);
  EXPECT_NE(h.dialogs.shown[0].text.find("\"Remove Line But not the files\""), std::string::npos);
  EXPECT_TRUE(h.shell.started.empty());
}

inline void ConfirmedUninstallStartsTheCommandAndKeepsTheRow(CommandsHarness& h) {
  const std::string nameless = h.Key("Nameless");
  h.namelessShown = true;
  h.Add(nameless, nullptr, "MsiExec.exe /X{1}");
  h.Refresh();
  ASSERT_TRUE(h.Select(nameless));
  h.commands.ButtonUninstallClick();
  ASSERT_EQ(h.dialogs.shown.size(), 1u);
  EXPECT_EQ(h.dialogs.shown[0].icon, BoxIcon::Question);
  EXPECT_EQ(h.dialogs.shown[0].text,
            "Do you really want to uninstall the program \"[NO NAME]\" ?\n\nThis program will be removed from your "
            "hard disk.\n\nClick on Yes to uninstall the program, or on No to cancel.");
  EXPECT_EQ(h.shell.started, std::vector<std::string>{"MsiExec.exe /X{1}"});
  EXPECT_TRUE(h.Listed(nameless)) << "the row waits for the uninstaller";
  EXPECT_TRUE(h.Exists(nameless));
}

inline void AnsweringNoChangesNothing(CommandsHarness& h) {
  const std::string nameless = h.Key("Nameless");
  h.namelessShown = true;
  h.Add(nameless, nullptr, "C:\\Acme\\un.exe");
  h.Refresh();
  ASSERT_TRUE(h.Select(nameless));
  h.dialogs.answer = BoxAnswer::No;
  h.commands.ButtonUninstallClick();
  h.commands.ButtonRemoveEntryClick();
  ASSERT_EQ(h.dialogs.shown.size(), 2u);
  EXPECT_NE(h.dialogs.shown[1].text.find("of the program \"[NO NAME]\" ?"), std::string::npos)
      << h.dialogs.shown[1].text;
  EXPECT_TRUE(h.shell.started.empty());
  EXPECT_TRUE(h.Exists(nameless));
  EXPECT_TRUE(h.Listed(nameless));
  EXPECT_EQ(h.world.BackupFileBytes(), "");
}

inline void CommandThatDoesNotStartShowsTheFailureBox(CommandsHarness& h) {
  const std::string acme = h.Key("Acme");
  h.Add(acme, "Acme", "C:\\Acme\\missing.exe");
  h.Refresh();
  ASSERT_TRUE(h.Select(acme));
  h.shell.startResult = 2;  // file not found
  h.commands.ButtonUninstallClick();
  ASSERT_EQ(h.dialogs.shown.size(), 2u);
  EXPECT_EQ(h.dialogs.shown[1].icon, BoxIcon::Error);
  EXPECT_EQ(h.dialogs.shown[1].text.rfind("The uninstallation command failed.", 0), 0u);
  EXPECT_TRUE(h.Listed(acme));
}

inline void RemovalDeletesTheKeyAndTheRowForGood(CommandsHarness& h) {
  const std::string acme = h.Key("Acme");
  const std::string bravo = h.Key("Bravo");
  h.Add(bravo, "Bravo", "x");
  h.Add(acme, "Acme", "C:\\Acme\\un.exe");
  h.Refresh();
  ASSERT_TRUE(h.Select(acme));
  const std::size_t rows = h.list.Count();
  h.commands.ButtonRemoveEntryClick();
  ASSERT_EQ(h.dialogs.shown.size(), 1u);
  EXPECT_EQ(h.dialogs.shown[0].text,
            "Do you really want to remove the uninstall descriptor of the program \"Acme\" ?\n\nYou should remove "
            "it only if the program was uninstalled previously.\n\nClick on Yes to remove the descriptor, or on No "
            "to cancel.");
  EXPECT_FALSE(h.Exists(acme));
  EXPECT_FALSE(h.Listed(acme)) << "at once";
  EXPECT_EQ(h.list.Count(), rows - 1);
  EXPECT_TRUE(h.Listed(bravo));
  EXPECT_TRUE(h.Exists(bravo));
  h.Refresh();
  EXPECT_FALSE(h.Listed(acme)) << "a refresh does not bring it back";
  EXPECT_TRUE(h.Listed(bravo));
}

// The deletion refuses a key with subkeys; the copy saved just before is taken back. The
// file an earlier version left (8-bit, the system's code page) was converted first, and
// stays so, every entry kept: texts and hex string data become UTF-16, other data stay.
inline void FailedDeletionChangesNothingAndTakesTheCopyBack(CommandsHarness& h) {
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
  h.world.CreateDescriptor(RegistrySource::Machine64, acme + "\\Child");
  h.Refresh();
  ASSERT_TRUE(h.Select(acme));
  h.commands.ButtonRemoveEntryClick();
  EXPECT_EQ(h.dialogs.shown.size(), 1u) << "nothing is reported";
  EXPECT_TRUE(h.Exists(acme));
  EXPECT_TRUE(h.Listed(acme));
  EXPECT_EQ(h.world.BackupFileBytes(), converted);

  // Once more, the file already in its present form: it is cut back to just that.
  h.commands.ButtonRemoveEntryClick();
  EXPECT_EQ(h.dialogs.shown.size(), 2u);
  EXPECT_TRUE(h.Exists(acme));
  EXPECT_EQ(h.world.BackupFileBytes(), converted);
}

// Two rows of the same key name in two sources: the 32-bit one goes, from its own view,
// and the copy names the path that brings it back there.
inline void RemovalSavesACopyAndDeletesInTheRowsOwnSource(CommandsHarness& h) {
  const std::string acme = h.Key("AcmeKey");
  h.Add(acme, "Acme", nullptr, RegistrySource::Machine64);
  h.Add(acme, "Acme (32-bit)", nullptr, RegistrySource::Machine32);
  h.world.SetValue(RegistrySource::Machine32, acme, "Size", 4, std::string("\x10\0\0\0", 4));
  h.Refresh();
  ASSERT_TRUE(h.Select(acme, RegistrySource::Machine32));
  h.commands.ButtonRemoveEntryClick();
  EXPECT_FALSE(h.Exists(acme, RegistrySource::Machine32));
  EXPECT_TRUE(h.Exists(acme, RegistrySource::Machine64));
  EXPECT_FALSE(h.Listed(acme, RegistrySource::Machine32));
  EXPECT_TRUE(h.Listed(acme, RegistrySource::Machine64));
  EXPECT_EQ(h.OwnRows(), 1u);
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
  h.world.SetValue(RegistrySource::User, user, "Путь", 2, std::string("%ProgramFiles%\\Ж") + '\0');
  h.Refresh();
  ASSERT_TRUE(h.Select(user, RegistrySource::User));
  h.commands.ButtonRemoveEntryClick();
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
inline void ExpectNoCopyAndNothingRemoved(CommandsHarness& h, const std::string& keyName, const std::string& file) {
  h.commands.ButtonRemoveEntryClick();
  ASSERT_EQ(h.dialogs.shown.size(), 2u);
  EXPECT_EQ(h.dialogs.shown[1].text, "Cannot save a copy of the descriptor to ZOBL-removed.reg. Nothing was removed.");
  EXPECT_EQ(h.dialogs.shown[1].icon, BoxIcon::Error);
  EXPECT_TRUE(h.Exists(keyName));
  EXPECT_TRUE(h.Listed(keyName));
  EXPECT_EQ(h.world.BackupFileBytes(), file);
}

inline void NoCopyWhenTheFileCannotBeWritten(CommandsHarness& h) {
  const std::string acme = h.Key("Acme");
  h.Add(acme, "Acme", "x");
  h.Refresh();
  ASSERT_TRUE(h.Select(acme));
  h.world.BlockBackupFile();
  ExpectNoCopyAndNothingRemoved(h, acme, "");
}

inline void NoCopyWhenTheDescriptorCannotBeReadWhole(CommandsHarness& h) {
  const std::string acme = h.Key("Acme");
  h.Add(acme, "Acme", "x");
  h.Refresh();
  ASSERT_TRUE(h.Select(acme));
  h.world.MakeUnreadable(RegistrySource::Machine64, acme);
  ExpectNoCopyAndNothingRemoved(h, acme, "");
}

inline void NoCopyWhenAKeyLineCannotHoldTheKeysName(CommandsHarness& h) {
  const std::string acme = h.Key("Acme\r\nKey");
  h.Add(acme, "Acme", "x");
  h.Refresh();
  ASSERT_TRUE(h.Select(acme));
  ExpectNoCopyAndNothingRemoved(h, acme, "");
}

inline void NoCopyWhenTheEarlierFileHasAValueOfAnotherForm(CommandsHarness& h) {
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
inline void RowDroppedWhileTheQuestionIsOpenIsNotMistakenForAnother(CommandsHarness& h) {
  const std::string acme = h.Key("Acme");
  const std::string bravo = h.Key("Bravo");
  h.Add(acme, "Acme", "C:\\Acme\\un.exe");
  h.Add(bravo, "Bravo", "x");
  h.Refresh();
  ASSERT_TRUE(h.Select(acme));
  const std::size_t rows = h.list.Count();
  h.dialogs.whileShown = [&] {
    h.world.DeleteDescriptor(RegistrySource::Machine64, acme);
    h.Refresh();
    h.Add(acme, "Acme", "C:\\Acme\\un.exe");
  };
  h.commands.ButtonRemoveEntryClick();
  EXPECT_FALSE(h.Exists(acme));
  EXPECT_FALSE(h.Listed(acme));
  EXPECT_EQ(h.list.Count(), rows - 1) << "no other row removed";
  EXPECT_TRUE(h.Listed(bravo));
  EXPECT_TRUE(h.Exists(bravo));
}

// Gone for good while the question is open: nothing to copy and nothing to delete,
// which fails without a word.
inline void DescriptorGoneWhileTheQuestionIsOpen(CommandsHarness& h) {
  const std::string acme = h.Key("Acme");
  const std::string annex = h.Key("Acme Annex");
  h.Add(acme, "Acme", "C:\\Acme\\un.exe");
  h.Add(annex, "Acme Annex", "C:\\Acme\\un.exe");
  h.Refresh();
  ASSERT_TRUE(h.Select(acme));
  const std::size_t rows = h.list.Count();
  h.dialogs.whileShown = [&] {
    h.world.DeleteDescriptor(RegistrySource::Machine64, acme);
    h.Refresh();
  };
  h.commands.ButtonRemoveEntryClick();
  EXPECT_EQ(h.dialogs.shown.size(), 1u);
  EXPECT_FALSE(h.Listed(acme));
  EXPECT_EQ(h.list.Count(), rows - 1);
  EXPECT_TRUE(h.Listed(annex)) << "nothing wrong removed";
  EXPECT_TRUE(h.Exists(annex));
  EXPECT_EQ(h.world.BackupFileBytes(), "");
}

inline void UninstallUsesTheCommandCopiedBeforeTheQuestion(CommandsHarness& h) {
  const std::string acme = h.Key("Acme");
  h.Add(acme, "Acme", "C:\\Acme\\un.exe");
  h.Refresh();
  ASSERT_TRUE(h.Select(acme));
  h.dialogs.whileShown = [&] {
    h.world.DeleteDescriptor(RegistrySource::Machine64, acme);
    h.Refresh();
  };
  h.commands.ButtonUninstallClick();
  EXPECT_FALSE(h.Listed(acme));
  EXPECT_EQ(h.shell.started, std::vector<std::string>{"C:\\Acme\\un.exe"});
}

// Started as it stands, an unquoted "...\Program Files\..." line runs "...\Program.exe"
// when there is one. Stored as an expandable text, the command is started expanded, and
// quoted the same way.
inline void UnquotedProgramPathNeverRunsAShorterPrefix(CommandsHarness& h) {
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
  h.commands.ButtonUninstallClick();
  ASSERT_TRUE(h.Select(expandable));
  h.commands.ButtonUninstallClick();
  EXPECT_EQ(h.dialogs.shown.size(), 2u) << "no failure box";
  EXPECT_EQ(h.shell.started, (std::vector<std::string>{"\"" + directory + "\\un.exe\" /x",
                                                       "\"" + directory + "\\un.exe\" " + expandable}));
}

}  // namespace list_commands

inline const std::vector<CommandsBehaviour>& ListCommandsBehaviours() {
  using namespace list_commands;
  static const std::vector<CommandsBehaviour> all = {
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
      {"UnquotedProgramPathNeverRunsAShorterPrefix", UnquotedProgramPathNeverRunsAShorterPrefix},
  };
  return all;
}

}  // namespace zobl::testing
