// The two commands on the selected row, through the real window, message boxes and
// started processes: what the behaviours over fakes cannot show.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "gui_support.h"
#include "ui/list_commands.h"
#include "scratch_directory.h"
#include "window_fixture.h"

namespace zobl::testing {
namespace {

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class ListCommandsWindowTest : public WindowTest {
 protected:
  void Click(ControlId button) const { SendMessageA(Control(button), BM_CLICK, 0, 0); }
};

// Stored as an expandable text, the command runs expanded, and whole: started as it
// stands, its unquoted path with blanks in it would run C:\Program.exe. The row goes with
// the refresh after the uninstaller has removed its descriptor. Neither does that program
// run for a switch or an icon index written straight after the name, nor for a name
// without its extension.
TEST_F(ListCommandsWindowTest, ConfirmedUninstallerRunsAndItsRowGoesWithItsDescriptor) {
  char programFiles[MAX_PATH] = {};
  ASSERT_GT(ExpandEnvironmentStringsA("%ProgramFiles%", programFiles, sizeof programFiles), 0u);
  ASSERT_EQ(std::string(programFiles), "C:\\Program Files");
  const std::string built = WindowsPathOf(ZOBL_TEST_UNINSTALLER_PATH);
  PlantedPaths planted;
  const std::string shorter = planted.Add("C:\\Program.exe");
  planted.Add(shorter + ".ran");
  const std::string leaf = "Zobl Uninstall Test " + std::to_string(GetCurrentProcessId());
  const std::string directory = planted.Add(std::string(programFiles) + "\\" + leaf);
  RemoveTree(directory);
  CreateDirectoryOrThrow(directory);
  const std::string uninstaller = directory + "\\uninst.exe";
  ASSERT_TRUE(CopyFileA(built.c_str(), uninstaller.c_str(), FALSE));
  ASSERT_TRUE(CopyFileA(built.c_str(), shorter.c_str(), FALSE));
  const std::string key = descriptors_.Add("u", "Uniform");
  descriptors_.SetText(key, "UninstallString", "%ProgramFiles%\\" + leaf + "\\uninst.exe " + key, REG_EXPAND_SZ);
  Open();
  SelectRow("u");
  {
    MessageBoxAnswerer boxes(IDYES);
    Click(kUninstallButton);
    ASSERT_EQ(boxes.Seen().size(), 1u) << "no failure box";
  }
  EXPECT_TRUE(PumpUntil([&] { return !descriptors_.Exists(key); }, 5000)) << "the uninstaller did not run";
  EXPECT_TRUE(RefreshUntil([&] { return !Listed("u"); })) << "gone with the next refresh";
  EXPECT_TRUE(FileExists(uninstaller + ".ran"));
  EXPECT_FALSE(FileExists(shorter + ".ran"));

  int rows = 0;
  for (const std::string shape : {"\\uninst.exe/S", "\\uninst /S", "\\uninst.exe,1"}) {
    DeleteFileA((uninstaller + ".ran").c_str());
    const std::string row = "v" + std::to_string(++rows);
    descriptors_.Add(row, "Victor", directory + shape);
    ASSERT_TRUE(RefreshUntil([&] { return Listed(row); }));
    SelectRow(row);
    MessageBoxAnswerer boxes(IDYES);
    Click(kUninstallButton);
    ASSERT_EQ(boxes.Seen().size(), 1u) << shape << ": no failure box";
    EXPECT_TRUE(PumpUntil([&] { return FileExists(uninstaller + ".ran"); }, 5000)) << shape;
  }
  EXPECT_FALSE(FileExists(shorter + ".ran"));
}

// Elevated, as every program is under Wine, the window starts a command that the user's
// ordinary programs can change (its program lies inside a profile) through the desktop's
// shell, with the user's rights. Where there is no such shell it asks, No the default.
TEST_F(ListCommandsWindowTest, CommandInsideAProfileKeepsTheUsersRightsOrAsks) {
  char profile[MAX_PATH] = {};
  ASSERT_GT(ExpandEnvironmentStringsA("%USERPROFILE%", profile, sizeof profile), 0u);
  PlantedPaths planted;
  const std::string directory =
      planted.Add(std::string(profile) + "\\Zobl Profile Test " + std::to_string(GetCurrentProcessId()));
  RemoveTree(directory);
  CreateDirectoryOrThrow(directory);
  const std::string uninstaller = directory + "\\uninst.exe";
  ASSERT_TRUE(CopyFileA(WindowsPathOf(ZOBL_TEST_UNINSTALLER_PATH).c_str(), uninstaller.c_str(), FALSE));
  descriptors_.Add("p", "Papa", uninstaller);
  Open();
  SelectRow("p");
  {
    MessageBoxAnswerer boxes(IDYES);
    Click(kUninstallButton);
    EXPECT_EQ(boxes.Seen().size(), 1u);
  }
  EXPECT_TRUE(PumpUntil([&] { return FileExists(uninstaller + ".ran"); }, 5000)) << "the desktop's shell started it";
  EXPECT_TRUE(shell_.started.empty()) << "not with the window's rights";

  shell_.desktopShell = false;
  std::vector<WORD> defaultButtons;
  MessageBoxAnswerer* answerer = nullptr;
  MessageBoxAnswerer boxes(IDYES, [&](HWND box) {
    const bool noIsDefault = (GetWindowLongA(GetDlgItem(box, IDNO), GWL_STYLE) & BS_DEFPUSHBUTTON) != 0;
    defaultButtons.push_back(noIsDefault ? IDNO : IDYES);
    answerer->AnswerWith(defaultButtons.size() == 1 ? IDYES : IDNO);
  });
  answerer = &boxes;
  Click(kUninstallButton);
  ASSERT_EQ(boxes.Seen().size(), 2u);
  EXPECT_EQ(boxes.Seen()[1].text, ElevatedStartQuestionText("Papa"));
  EXPECT_EQ(defaultButtons, (std::vector<WORD>{IDYES, IDNO}));
  EXPECT_TRUE(shell_.started.empty()) << "declined";
}

// A program named in another script: shown as named, found by typing its first letters in
// lower case, and named exactly in the question.
TEST_F(ListCommandsWindowTest, CyrillicRowIsShownFoundByTypingAndNamedInTheQuestion) {
  descriptors_.Add("Кило", "Калькулятор Кило 2", "C:\\gone\\un.exe");
  Open();
  const HWND list = Control(kInventoryListView);
  SetFocus(list);
  for (const wchar_t c : std::wstring(L"кальк")) SendMessageW(list, WM_CHAR, c, 1);
  const auto selected = mainWindow_->Inventory().SelectedIndex();
  ASSERT_TRUE(selected.has_value());
  EXPECT_EQ(CellText(list, static_cast<int>(*selected), kNameColumn), "Калькулятор Кило 2");
  EXPECT_EQ(CellText(list, static_cast<int>(*selected), kKeyNameColumn), descriptors_.Prefix() + "Кило");
  MessageBoxAnswerer boxes(IDNO);
  Click(kRemoveEntryButton);
  ASSERT_EQ(boxes.Seen().size(), 1u);
  EXPECT_EQ(boxes.Seen()[0].text, ConfirmRemoveText("Калькулятор Кило 2"));
}

}  // namespace
}  // namespace zobl::testing
