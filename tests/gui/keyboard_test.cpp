#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "gui_support.h"
#include "platform/win32/wide_text.h"
#include "window_fixture.h"

namespace zobl::testing {
namespace {

// Real key presses, as the keyboard gives them to the window with the focus, handled by
// the program's own message loop.
class KeyboardTest : public WindowTest {
 protected:
  void OpenInFront() {
    Open();
    SetForegroundWindow(mainWindow_->Handle());
    ASSERT_TRUE(PumpUntil([this] { return GetForegroundWindow() == mainWindow_->Handle(); }, 5000));
  }
  bool Until(const std::function<bool()>& done) {
    return PumpUntil(done, 5000,
                     [this](MSG& m) { return mainWindow_->Handle() != nullptr && mainWindow_->PreTranslateMessage(m); });
  }
  static std::string Focused() {
    const int id = GetDlgCtrlID(GetFocus());
    return id >= kPageControl && id <= kSupportButton ? ControlById(static_cast<ControlId>(id)).name : "?";
  }
  bool Opened(const char* page) const {
    return !shell_.opened.empty() && shell_.opened.back().find(page) != std::string::npos;
  }
};

TEST_F(KeyboardTest, TabWalksTheDesignsOrderAndCtrlKeysSwitchTabs) {
  OpenInFront();
  const WORD shift = VK_SHIFT;
  const WORD ctrl = VK_CONTROL;
  const struct {
    WORD key;
    std::vector<WORD> modifiers;
    const char* focus;
    WindowPage page;
  } steps[] = {
      {VK_TAB, {}, "ButtonWebFAQ", WindowPage::List},
      {VK_TAB, {}, "ButtonQuitte", WindowPage::List},
      {VK_TAB, {}, "PageControl1", WindowPage::List},
      {VK_TAB, {}, "ButtonUninstall", WindowPage::List},
      {VK_TAB, {}, "ButtonRemoveEntry", WindowPage::List},
      {VK_TAB, {}, "ButtonImprimeListe", WindowPage::List},
      {VK_TAB, {}, "ComboBoxClassement", WindowPage::List},
      {VK_TAB, {}, "CheckBoxAffLignesSansNom", WindowPage::List},
      {VK_TAB, {}, "FilterBox", WindowPage::List},
      {VK_TAB, {}, "ListViewDescription", WindowPage::List},
      {VK_TAB, {}, "ToolBar1", WindowPage::List},
      {VK_TAB, {}, "ButtonWebVersion", WindowPage::List},
      {VK_TAB, {}, "ButtonCalculeTaille", WindowPage::List},
      {VK_TAB, {}, "ButtonWebFAQ", WindowPage::List},
      {VK_TAB, {shift}, "ButtonCalculeTaille", WindowPage::List},
      {VK_TAB, {ctrl}, "ButtonCalculeTaille", WindowPage::Pie},
      {VK_NEXT, {ctrl}, "ButtonCalculeTaille", WindowPage::Options},
      {VK_TAB, {ctrl}, "ButtonCalculeTaille", WindowPage::About},
      {VK_TAB, {shift}, "ButtonWebVersion", WindowPage::About},
      {VK_TAB, {shift}, "ButtonSupportMe", WindowPage::About},
      {VK_TAB, {shift}, "BitBtnAboutAuthor", WindowPage::About},
      {VK_TAB, {shift}, "ButtonGoWeb", WindowPage::About},
      {VK_TAB, {shift}, "MemoAbout", WindowPage::About},
      {VK_TAB, {shift}, "PageControl1", WindowPage::About},
      {VK_LEFT, {}, "PageControl1", WindowPage::Options},  // the tabs' own arrows
      {VK_PRIOR, {ctrl}, "PageControl1", WindowPage::Pie},
      {VK_TAB, {}, "ButtonWebVersion", WindowPage::Pie},  // the chart takes no focus
      {VK_NEXT, {ctrl}, "ButtonWebVersion", WindowPage::Options},
      {VK_TAB, {shift}, "CheckBoxDisplayTexture", WindowPage::Options},
      {VK_TAB, {ctrl, shift}, "PageControl1", WindowPage::Pie},  // not left on a hidden control
  };
  for (const auto& step : steps) {
    PressKey(step.key, step.modifiers);
    ASSERT_TRUE(Until([&] { return Focused() == step.focus && mainWindow_->ActivePage() == step.page; }))
        << "expected " << step.focus << ", focus on " << Focused();
  }
}

// Each command from the keyboard: Space or Enter on its button, arrows to the tool bar's.
TEST_F(KeyboardTest, SpaceAndEnterRunEveryCommand) {
  OpenInFront();
  const MessageBoxAnswerer boxes(IDCANCEL);
  std::size_t boxesBefore = 0;
  const auto boxShown = [&boxes, &boxesBefore](const char* caption) {
    return [&boxes, &boxesBefore, caption] {
      const auto& seen = boxes.Seen();
      return std::any_of(seen.begin() + static_cast<std::ptrdiff_t>(boxesBefore), seen.end(),
                         [caption](const SeenBox& b) { return b.caption == caption; });
    };
  };
  const auto checked = [this](ControlId id) { return SendMessageA(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; };
  const struct {
    WindowPage page;
    ControlId control;
    int toolButton;  // how many Right arrows on the tool bar
    WORD key;
    std::function<bool()> ran;
  } commands[] = {
      {WindowPage::List, kFaqButton, 0, VK_SPACE, [&] { return Opened("zoblfaq.htm"); }},
      {WindowPage::List, kLatestVersionButton, 0, VK_RETURN, [&] { return Opened("/zobl.htm"); }},
      {WindowPage::About, kWebSiteButton, 0, VK_RETURN, [&] { return shell_.opened.size() == 3 && !Opened(".htm"); }},
      {WindowPage::About, kAboutAuthorButton, 0, VK_SPACE, [&] { return Opened("aboutme.htm"); }},
      {WindowPage::About, kSupportButton, 0, VK_RETURN, [&] { return Opened("sendmon.htm"); }},
      {WindowPage::Options, kTextureCheckBox, 0, VK_SPACE, [&] { return !checked(kTextureCheckBox); }},
      {WindowPage::List, kNamelessLinesCheckBox, 0, VK_SPACE, [&] { return checked(kNamelessLinesCheckBox); }},
      {WindowPage::List, kSortByCombo, 0, VK_DOWN,
       [&] { return SendMessageA(Control(kSortByCombo), CB_GETCURSEL, 0, 0) == 0; }},
      {WindowPage::List, kSortByCombo, 0, VK_DOWN, [&] { return mainWindow_->Sorting().SortColumn() == 1; }},
      {WindowPage::List, kToolBar, 1, VK_SPACE, [&] { return ListViewMode() == LV_VIEW_ICON; }},
      {WindowPage::List, kToolBar, 0, VK_RETURN, [&] { return ListViewMode() == LV_VIEW_DETAILS; }},
      {WindowPage::List, kToolBar, 2, VK_RETURN, boxShown("Print")},
      {WindowPage::List, kPrintListButton, 0, VK_SPACE, boxShown("Print")},
      {WindowPage::List, kUninstallButton, 0, VK_RETURN, boxShown("ZOBL Quillmoor")},
      {WindowPage::List, kRemoveEntryButton, 0, VK_SPACE, boxShown("ZOBL Quillmoor")},
      {WindowPage::List, kComputeSizesButton, 0, VK_RETURN, [&] { return mainWindow_->ActivePage() == WindowPage::Pie; }},
      {WindowPage::List, kQuitButton, 0, VK_SPACE, [&] { return mainWindow_->Handle() == nullptr; }},
  };
  for (const auto& command : commands) {
    mainWindow_->ActivatePage(command.page);
    SetFocus(Control(command.control));
    if (command.control == kToolBar) SendMessageA(Control(kToolBar), TB_SETHOTITEM, 0, 0);
    for (int i = 0; i < command.toolButton; ++i) PressKey(VK_RIGHT);
    boxesBefore = boxes.Seen().size();
    PressKey(command.key);
    EXPECT_TRUE(Until(command.ran)) << ControlById(command.control).name << " " << command.toolButton;
  }
}

// What a paste would take: the clipboard's Unicode text, in UTF-8.
std::string ClipboardText() {
  struct Opened {
    bool open = OpenClipboard(nullptr) != 0;
    ~Opened() {
      if (open) CloseClipboard();
    }
  } clipboard;
  const HANDLE data = clipboard.open ? GetClipboardData(CF_UNICODETEXT) : nullptr;
  struct Locked {
    HANDLE data;
    const wchar_t* text = data != nullptr ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
    ~Locked() {
      if (text != nullptr) GlobalUnlock(data);
    }
  } locked{data};
  return locked.text != nullptr ? win32::Utf8(locked.text) : "(no text)";
}

// The row's texts as shown, a tab between columns; a tab inside a text becomes a blank.
TEST_F(KeyboardTest, CtrlCCopiesTheSelectedRowAsShown) {
  const std::string key = descriptors_.Add("copy", "Copy\t\xC3\xA9\xE6\x97\xA5", "C:\\nowhere\\un.exe");
  OpenInFront();
  ASSERT_TRUE(RefreshUntil([this] { return Listed("copy"); }));
  SelectRow("copy");
  SetFocus(Control(kInventoryListView));
  PressKey('C', {VK_CONTROL});
  const std::string row = "Copy \xC3\xA9\xE6\x97\xA5\t" + key +
                          "\t[unknown]\t[NOT YET COMPUTED]\tC:\\nowhere\\un.exe\t[MISSING OR SYSTEM DIRECTORY ?]";
  EXPECT_TRUE(Until([&] { return ClipboardText() == row; })) << ClipboardText();
}

// Keys typed on the test's screen by xdotool: through the X server, as a keyboard's, they
// reach the window with the focus and a menu's own loop. A Unix program comes without
// handles to wait on; the test waits for what the keys do.
void TypeOnScreen(const std::string& keys) {
  std::string command = "Z:\\usr\\bin\\xdotool key --delay 100 " + keys;
  STARTUPINFOA startup{.cb = sizeof startup};
  PROCESS_INFORMATION started{};
  ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
      << "xdotool (the package xdotool) is needed: " << GetLastError();
  CloseHandle(started.hProcess);
  CloseHandle(started.hThread);
}

// Shift+F10 opens the selected row's menu; its access key P copies the row's registry path.
TEST_F(KeyboardTest, ShiftF10OpensTheRowsMenuAndPCopiesItsRegistryPath) {
  const std::string key = descriptors_.Add("menu", "Menu");
  OpenInFront();
  ASSERT_TRUE(RefreshUntil([this] { return Listed("menu"); }));
  SelectRow("menu");
  SetFocus(Control(kInventoryListView));
  TypeOnScreen("shift+F10 p");
  const std::string path = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + key;
  EXPECT_TRUE(Until([&] { return ClipboardText() == path; })) << ClipboardText();
}

// Ctrl+F, letters and Escape as typed: the list shows the rows holding the text, counted
// beside it, and goes on following the registry meanwhile.
TEST_F(KeyboardTest, TheFilterBoxNarrowsTheListAsTypedAndEscapeShowsEveryRowAgain) {
  const std::string alpha = descriptors_.Add("alpha", "Zqx Alpha");
  descriptors_.Add("other", "Other");
  OpenInFront();
  ASSERT_TRUE(RefreshUntil([this] { return Listed("alpha") && Listed("other"); }));
  const HWND list = Control(kInventoryListView);
  const auto shown = [list] {
    std::vector<std::string> names;
    for (int i = 0; i < ListView_GetItemCount(list); ++i) names.push_back(CellText(list, i, kNameColumn));
    return names;
  };
  const auto counted = [this](const std::string& line) { return WindowText(Control(kShownCountLabel)) == line; };
  SetFocus(list);
  TypeOnScreen("ctrl+f z Q x");
  ASSERT_TRUE(Until([this] { return WindowText(Control(kFilterBox)) == "zQx"; }));
  EXPECT_EQ(shown(), std::vector<std::string>{"Zqx Alpha"});
  EXPECT_TRUE(counted("1 of " + std::to_string(mainWindow_->Inventory().Count()) + " programs"));

  descriptors_.Add("beta", "Zqx Beta");
  descriptors_.Add("another", "Another");
  ASSERT_TRUE(RefreshUntil([this] { return Listed("beta") && Listed("another"); }));
  EXPECT_EQ(shown(), (std::vector<std::string>{"Zqx Alpha", "Zqx Beta"}));
  descriptors_.Remove(alpha);
  ASSERT_TRUE(RefreshUntil([this] { return !Listed("alpha"); }));
  EXPECT_EQ(shown(), std::vector<std::string>{"Zqx Beta"});

  TypeOnScreen("Escape");
  EXPECT_TRUE(Until(
      [&] { return ListView_GetItemCount(list) == static_cast<int>(mainWindow_->Inventory().Count()) && counted(""); }));
}

}  // namespace
}  // namespace zobl::testing
