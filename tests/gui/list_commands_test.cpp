// The two commands on the selected row, through the real window, message boxes and
// started processes.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "gui_support.h"
#include "scratch_directory.h"
#include "inventory/uninstall_key.h"
#include "window_fixture.h"

namespace zobl::testing {
namespace {

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool KeyExists(const std::string& keyName) {
  win32::ScopedKey key;
  return RegOpenKeyExA(HKEY_LOCAL_MACHINE, (std::string(kUninstallKeyPath) + "\\" + keyName).c_str(), 0, KEY_READ,
                       key.Receive()) == ERROR_SUCCESS;
}

class ListCommandsWindowTest : public WindowTest {
 protected:
  void Click(ControlId button) const { SendMessageA(Control(button), BM_CLICK, 0, 0); }
};

TEST_F(ListCommandsWindowTest, NothingSelectedAnswersBothButtons) {
  descriptors_.Add("a", "Alpha", "C:\\nowhere\\un.exe");
  Open();
  MessageBoxAnswerer boxes;
  Click(kButtonUninstall);
  Click(kButtonRemoveEntry);
  ASSERT_EQ(boxes.Seen().size(), 2u);
  for (const SeenBox& box : boxes.Seen()) {
    EXPECT_EQ(box.caption, "ZOBL Quillmoor");
    EXPECT_EQ(box.icon, LoadIcon(nullptr, IDI_INFORMATION));
    EXPECT_EQ(box.text, "No item selected. Please select one of them and retry.");
  }
  EXPECT_TRUE(Listed("a"));
  EXPECT_TRUE(shell_.started.empty());
}

TEST_F(ListCommandsWindowTest, RowWithoutCommandStartsNothing) {
  descriptors_.Add("g", "Golf");
  Open();
  SelectRow("g");
  MessageBoxAnswerer boxes(IDYES);
  Click(kButtonUninstall);
  ASSERT_EQ(boxes.Seen().size(), 1u);
  EXPECT_EQ(boxes.Seen()[0].text.rfind("There is no uninstallation command associated to this item.", 0), 0u);
  EXPECT_EQ(boxes.Seen()[0].icon, LoadIcon(nullptr, IDI_WARNING));
  EXPECT_TRUE(shell_.started.empty());
}

TEST_F(ListCommandsWindowTest, NamelessRowIsConfirmedByItsPlaceholder) {
  descriptors_.AddNameless("n");
  Open();
  SendMessageA(Control(kCheckBoxAffLignesSansNom), BM_CLICK, 0, 0);
  SelectRow("n");
  MessageBoxAnswerer boxes(IDNO);
  Click(kButtonRemoveEntry);
  ASSERT_EQ(boxes.Seen().size(), 1u);
  EXPECT_NE(boxes.Seen()[0].text.find("\"[NO NAME]\""), std::string::npos);
  EXPECT_TRUE(Listed("n")) << "No changes nothing";
  EXPECT_TRUE(KeyExists(descriptors_.Prefix() + "n"));
}

TEST_F(ListCommandsWindowTest, ConfirmedUninstallerRunsAndItsRowGoesWithItsDescriptor) {
  const std::string uninstaller = WindowsPathOf(ZOBL_TEST_UNINSTALLER_PATH);
  const std::string key = descriptors_.Prefix() + "u";
  descriptors_.Add("u", "Uniform", "\"" + uninstaller + "\" " + key);
  PlantedPaths planted;
  DeleteFileA(planted.Add(uninstaller + ".ran").c_str());
  Open();
  SelectRow("u");
  {
    MessageBoxAnswerer boxes(IDYES);
    Click(kButtonUninstall);
    ASSERT_EQ(boxes.Seen().size(), 1u) << "no failure box";
  }
  EXPECT_TRUE(Listed("u")) << "the row waits for the uninstaller";
  EXPECT_TRUE(PumpUntil([&] { return !KeyExists(key); }, 5000)) << "the uninstaller did not run";
  EXPECT_TRUE(RefreshUntil([&] { return !Listed("u"); })) << "gone with the next refresh";
  EXPECT_TRUE(FileExists(uninstaller + ".ran"));
}

// Stored as an expandable text, the command runs expanded; its unquoted path with
// blanks in it is quoted first.
TEST_F(ListCommandsWindowTest, ExpandableCommandRunsExpanded) {
  char programFiles[MAX_PATH] = {};
  ASSERT_GT(ExpandEnvironmentStringsA("%ProgramFiles%", programFiles, sizeof programFiles), 0u);
  PlantedPaths planted;
  const std::string directory = planted.Add(std::string(programFiles) + "\\Zobl Expand Test");
  RemoveTree(directory);
  CreateDirectoryOrThrow(directory);
  const std::string uninstaller = directory + "\\uninst.exe";
  ASSERT_TRUE(CopyFileA(WindowsPathOf(ZOBL_TEST_UNINSTALLER_PATH).c_str(), uninstaller.c_str(), FALSE));
  const std::string key = descriptors_.Add("x", "Xray");
  descriptors_.SetText(key, "UninstallString", "%ProgramFiles%\\Zobl Expand Test\\uninst.exe " + key, REG_EXPAND_SZ);
  Open();
  SelectRow("x");
  {
    MessageBoxAnswerer boxes(IDYES);
    Click(kButtonUninstall);
    EXPECT_EQ(boxes.Seen().size(), 1u) << "no failure box";
  }
  ASSERT_EQ(shell_.started.size(), 1u);
  EXPECT_EQ(shell_.started[0], "\"" + uninstaller + "\" " + key);
  EXPECT_TRUE(PumpUntil([&] { return !KeyExists(key); }, 5000)) << "the uninstaller did not run";
  EXPECT_TRUE(FileExists(uninstaller + ".ran"));
}

TEST_F(ListCommandsWindowTest, MissingProgramGivesTheFailureBoxAndTheRowStays) {
  descriptors_.Add("m", "Mike", "C:\\nowhere-at-all\\uninstall.exe /S");
  Open();
  SelectRow("m");
  MessageBoxAnswerer boxes(IDYES);
  Click(kButtonUninstall);
  ASSERT_EQ(boxes.Seen().size(), 2u);
  EXPECT_EQ(boxes.Seen()[0].icon, LoadIcon(nullptr, IDI_QUESTION));
  EXPECT_EQ(boxes.Seen()[1].text.rfind("The uninstallation command failed.", 0), 0u);
  EXPECT_EQ(boxes.Seen()[1].icon, LoadIcon(nullptr, IDI_ERROR));
  EXPECT_TRUE(Listed("m"));
}

TEST_F(ListCommandsWindowTest, RemovalDropsDescriptorAndRowForGood) {
  descriptors_.Add("r", "Romeo", "C:\\gone\\un.exe");
  descriptors_.Add("s", "Sierra", "C:\\gone\\un.exe");
  Open();
  SelectRow("r");
  MessageBoxAnswerer boxes(IDYES);
  Click(kButtonRemoveEntry);
  EXPECT_FALSE(KeyExists(descriptors_.Prefix() + "r"));
  EXPECT_FALSE(Listed("r")) << "at once";
  form_->RefreshTick();  // the deletion was seen by the watch: this tick reads the registry
  EXPECT_FALSE(Listed("r")) << "a refresh does not bring it back";
  EXPECT_TRUE(Listed("s"));
}

std::string FileText(const std::string& path) {
  std::string text(4096, '\0');
  const win32::ScopedFileHandle file(
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  DWORD read = 0;
  if (!ReadFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &read, nullptr)) read = 0;
  text.resize(read);
  return text;
}

void WriteFileText(const std::string& path, const std::string& text) {
  const win32::ScopedFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  DWORD written = 0;
  ASSERT_TRUE(WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr)) << path;
}

// The deletion refuses a descriptor with a subkey: the copy saved just before is taken
// back out of the backup file.
TEST_F(ListCommandsWindowTest, FailedDeletionChangesNothing) {
  const std::string backup = workingDirectory_.Path() + "\\ZOBL-removed.reg";
  // A file with an earlier copy: UTF-16LE with its byte-order mark.
  std::string earlier = "\xFF\xFE";
  for (const char c : std::string_view("Windows Registry Editor Version 5.00\r\n\r\n; an earlier removal\r\n"
                                       "[HKEY_CURRENT_USER\\Software\\x]\r\n\r\n")) {
    earlier += {c, '\0'};
  }
  WriteFileText(backup, earlier);
  const std::string key = descriptors_.Add("p", "Papa", "C:\\gone\\un.exe");
  win32::ScopedKey child;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, (std::string(kUninstallKeyPath) + "\\" + key + "\\Part").c_str(), 0,
                            nullptr, 0, KEY_ALL_ACCESS, nullptr, child.Receive(), nullptr),
            ERROR_SUCCESS);
  Open();
  SelectRow("p");
  MessageBoxAnswerer boxes(IDYES);
  Click(kButtonRemoveEntry);
  EXPECT_EQ(boxes.Seen().size(), 1u) << "a failed deletion is not reported";
  EXPECT_TRUE(KeyExists(key));
  EXPECT_TRUE(Listed("p"));
  EXPECT_EQ(FileText(backup), earlier);
}

// Running as root, Wine writes into read-only folders; a folder where the file would
// go cannot be written by anyone.
TEST_F(ListCommandsWindowTest, NoRemovalWithoutACopy) {
  ASSERT_TRUE(CreateDirectoryA((workingDirectory_.Path() + "\\ZOBL-removed.reg").c_str(), nullptr));
  const std::string key = descriptors_.Add("c", "Charlie", "C:\\gone\\un.exe");
  Open();
  SelectRow("c");
  MessageBoxAnswerer boxes(IDYES);
  Click(kButtonRemoveEntry);
  ASSERT_EQ(boxes.Seen().size(), 2u);
  EXPECT_EQ(boxes.Seen()[1].caption, "ZOBL Quillmoor");
  EXPECT_EQ(boxes.Seen()[1].icon, LoadIcon(nullptr, IDI_ERROR));
  EXPECT_EQ(boxes.Seen()[1].text, "Cannot save a copy of the descriptor to ZOBL-removed.reg. Nothing was removed.");
  EXPECT_TRUE(KeyExists(key));
  EXPECT_TRUE(Listed("c"));
}

// A program named in another script: shown as named, found by typing its first letters in
// lower case, and named exactly in the question.
TEST_F(ListCommandsWindowTest, CyrillicRowIsShownFoundByTypingAndNamedInTheQuestion) {
  descriptors_.Add("Кило", "Калькулятор Кило 2", "C:\\gone\\un.exe");
  Open();
  const HWND list = Control(kListViewDescription);
  SetFocus(list);
  for (const wchar_t c : std::wstring(L"кальк")) SendMessageW(list, WM_CHAR, c, 1);
  const auto selected = form_->Inventory().SelectedIndex();
  ASSERT_TRUE(selected.has_value());
  EXPECT_EQ(CellText(static_cast<int>(*selected), kNameColumn), "Калькулятор Кило 2");
  EXPECT_EQ(CellText(static_cast<int>(*selected), kKeyNameColumn), descriptors_.Prefix() + "Кило");
  MessageBoxAnswerer boxes(IDNO);
  Click(kButtonRemoveEntry);
  ASSERT_EQ(boxes.Seen().size(), 1u);
  EXPECT_NE(boxes.Seen()[0].text.find("of the program \"Калькулятор Кило 2\" ?"), std::string::npos)
      << boxes.Seen()[0].text;
}

TEST_F(ListCommandsWindowTest, RowDroppedByARefreshWhileTheQuestionIsOpen) {
  const std::string key = descriptors_.Add("q", "Quebec", "C:\\gone\\un.exe");
  descriptors_.Add("qa", "Quebec Annex", "C:\\gone\\un.exe");
  Open();
  SelectRow("q");
  descriptors_.Remove(key);  // another program removes it; the next tick drops the row
  MessageBoxAnswerer boxes(IDYES, [this](HWND) { form_->RefreshTick(); });
  Click(kButtonRemoveEntry);
  ASSERT_EQ(boxes.Seen().size(), 1u);
  EXPECT_FALSE(Listed("q"));
  EXPECT_TRUE(Listed("qa")) << "nothing wrong removed";
  EXPECT_TRUE(KeyExists(descriptors_.Prefix() + "qa"));
}

// Started as it stands, an unquoted "C:\Program Files\..." line runs C:\Program.exe
// when there is one.
TEST_F(ListCommandsWindowTest, UnquotedProgramPathNeverRunsAShorterPrefix) {
  PlantedPaths plantedPaths;
  const std::string planted = plantedPaths.Add("C:\\Program.exe");
  plantedPaths.Add(planted + ".ran");
  const std::string directory =
      plantedPaths.Add("C:\\Program Files\\ZoblTest " + std::to_string(GetCurrentProcessId()));
  const std::string real = directory + "\\un.exe";
  const std::string built = WindowsPathOf(ZOBL_TEST_UNINSTALLER_PATH);
  ASSERT_TRUE(CopyFileA(built.c_str(), planted.c_str(), FALSE));
  CreateDirectoryOrThrow(directory);
  ASSERT_TRUE(CopyFileA(built.c_str(), real.c_str(), FALSE));
  descriptors_.Add("x", "X-ray", real + " /x");
  Open();
  SelectRow("x");
  {
    MessageBoxAnswerer boxes(IDYES);
    Click(kButtonUninstall);
    EXPECT_EQ(boxes.Seen().size(), 1u);
  }
  EXPECT_TRUE(PumpUntil([&] { return FileExists(real + ".ran"); }, 5000));
  EXPECT_FALSE(FileExists(planted + ".ran"));
}

}  // namespace
}  // namespace zobl::testing
