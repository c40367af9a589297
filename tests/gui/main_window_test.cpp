#include "mainwindow/main_window.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <stdexcept>

#include "gui_support.h"
#include "window_fixture.h"
#include "inventory/uninstall_key.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_locale.h"
#include "platform/win32/win32_profile.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_text_file.h"

namespace zobl::testing {
namespace {

// A settings file that fails as the test asks.
class FailingProfile final : public Profile {
 public:
  explicit FailingProfile(bool failReads, const char* message = "Settings unavailable")
      : failReads_(failReads), message_(message) {}
  unsigned ReadInt(const char*, unsigned defaultValue) override {
    if (failReads_) throw std::runtime_error(message_);
    return defaultValue;
  }
  bool WriteString(const char*, const char*) override { throw std::runtime_error(message_); }

 private:
  bool failReads_;
  const char* message_;
};

TEST_F(WindowTest, OpensMaximizedOnTheListTabShowingTheRegistry) {
  descriptors_.Add("b", "Bravo", "C:\\nowhere\\un.exe");
  descriptors_.Add("a", "Alpha");
  descriptors_.AddNameless("n");
  Open();

  const HWND window = mainWindow_->Handle();
  char className[32] = {};
  GetClassNameA(window, className, sizeof className);
  EXPECT_STREQ(className, "TForm1");
  EXPECT_EQ(WindowText(window), "ZOBL Quillmoor 2.0");
  EXPECT_TRUE(IsZoomed(window));
  EXPECT_EQ(TabCtrl_GetCurSel(Control(kPageControl)), 0);
  EXPECT_EQ(ListViewMode(), LV_VIEW_DETAILS);

  const HWND header = ListView_GetHeader(Control(kInventoryListView));
  ASSERT_EQ(Header_GetItemCount(header), 6);
  const char* titles[] = {
      "Name", "Key Name", "Date of Installation", "Size of main directory", "Command", "Directory (supposed)"};
  for (int i = 0; i < 6; ++i) {
    char title[64] = {};
    HDITEMA item{};
    item.mask = HDI_TEXT;
    item.pszText = title;
    item.cchTextMax = sizeof title;
    SendMessageA(header, HDM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(title, titles[i]);
  }

  // Every descriptor with a name, and nothing else, in Name order.
  std::set<std::string> named;
  win32::ScopedKey uninstall;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstallKeyPath, 0, KEY_READ, uninstall.Receive()), ERROR_SUCCESS);
  char name[256];
  for (DWORD i = 0; RegEnumKeyA(uninstall.Get(), i, name, sizeof name) == ERROR_SUCCESS; ++i) {
    char displayName[1024];
    DWORD size = sizeof displayName;
    if (RegGetValueA(uninstall.Get(), name, "DisplayName", RRF_RT_ANY, nullptr, displayName, &size) == ERROR_SUCCESS) {
      named.insert(name);
    }
  }
  std::set<std::string> listed;
  for (std::size_t i = 0; i < mainWindow_->Inventory().Count(); ++i) listed.insert(mainWindow_->Inventory().RowAt(i).keyName);
  EXPECT_EQ(listed, named);
  EXPECT_EQ(OurRows(), (std::vector<std::string>{"a", "b"}));

  ASSERT_EQ(SendMessageA(Control(kInventoryListView), LVM_GETITEMCOUNT, 0, 0),
            static_cast<LRESULT>(mainWindow_->Inventory().Count()));
  // The control shows each row's texts as the list makes them: Alpha's, stand-ins included.
  const std::string shown[] = {"Alpha", descriptors_.Prefix() + "a", "[unknown]", "[NOT YET COMPUTED]",
                               "[NO COMMAND]", "[MISSING OR SYSTEM DIRECTORY ?]"};
  for (int column = 0; column < 6; ++column) {
    EXPECT_EQ(CellText(Control(kInventoryListView), RowIndex("a"), column), shown[column]) << column;
  }
}

// The columns do not tell where a descriptor is; hovering its row does.
TEST_F(WindowTest, RowTipShowsTheDescriptorsFullRegistryPath) {
  const std::string key = descriptors_.Add("tip", "Tip");
  Open();
  const HWND list = Control(kInventoryListView);
  EXPECT_NE(ListView_GetExtendedListViewStyle(list) & LVS_EX_INFOTIP, 0u);
  const int index = RowIndex("tip");
  ASSERT_GE(index, 0);
  char text[1024] = "Tip";  // the control hands over the label's text
  NMLVGETINFOTIPA tip{};
  tip.hdr.hwndFrom = list;
  tip.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(list));
  tip.hdr.code = LVN_GETINFOTIPA;
  tip.pszText = text;
  tip.cchTextMax = sizeof text;
  tip.iItem = index;
  SendMessageA(GetParent(list), WM_NOTIFY, tip.hdr.idFrom, reinterpret_cast<LPARAM>(&tip));
  EXPECT_EQ(std::string(text), "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + key);
}

TEST_F(WindowTest, FollowsTheRegistryWithinATickOrAtOnceOnF5) {
  Open();
  const std::string key = descriptors_.Add("c", "Charlie");
  EXPECT_TRUE(RefreshUntil([&] { return Listed("c"); }));
  descriptors_.Remove(key);
  EXPECT_TRUE(RefreshUntil([&] { return !Listed("c"); }));

  // F5, on any page, through the program's loop: with the timer stopped, only the key reads.
  app_->refreshTimer.Stop();
  for (const WindowPage page : {WindowPage::List, WindowPage::About}) {
    mainWindow_->ActivatePage(page);
    const std::string suffix = "f5-" + std::to_string(static_cast<int>(page));
    descriptors_.Add(suffix, "Refreshed");
    PostMessageA(mainWindow_->Page(page), WM_KEYDOWN, VK_F5, 0);
    PumpPending([this](MSG& message) { return mainWindow_->PreTranslateMessage(message); });
    EXPECT_TRUE(Listed(suffix)) << suffix;
  }
}

TEST_F(WindowTest, NamelessLinesComeAndGoWithTheCheckBox) {
  descriptors_.AddNameless("n");
  Open();
  EXPECT_FALSE(Listed("n"));
  SendMessageA(Control(kNamelessLinesCheckBox), BM_CLICK, 0, 0);
  ASSERT_TRUE(Listed("n"));
  EXPECT_EQ(CellText(Control(kInventoryListView), RowIndex("n"), kNameColumn), "[NO NAME]");
  SendMessageA(Control(kNamelessLinesCheckBox), BM_CLICK, 0, 0);
  EXPECT_FALSE(Listed("n"));
}

TEST_F(WindowTest, ColumnTitleClickSortsAndTheBoxFollows) {
  descriptors_.Add("k1", "Zulu", "C:\\b");
  descriptors_.Add("k2", "Alpha", "C:\\a");
  Open();
  // Narrow columns, as a user might drag them, so that every title is in view.
  for (int column = 0; column < 6; ++column) ListView_SetColumnWidth(Control(kInventoryListView), column, 60);
  EXPECT_EQ(SendMessageA(Control(kSortByCombo), CB_GETCURSEL, 0, 0), CB_ERR);
  for (int column = 0; column < 6; ++column) {
    ClickColumnTitle(column);
    EXPECT_EQ(SendMessageA(Control(kSortByCombo), CB_GETCURSEL, 0, 0), column);
    EXPECT_EQ(mainWindow_->Sorting().SortColumn(), column);
  }
}

TEST_F(WindowTest, SortBoxPickSortsAsTheTitleClickDoes) {
  descriptors_.Add("k1", "Zulu", "C:\\b");
  descriptors_.Add("k2", "Alpha", "C:\\a");
  Open();
  ASSERT_EQ(OurRows(), (std::vector<std::string>{"k2", "k1"}));
  for (int column = 0; column < 6; ++column) {
    // From the same order, since rows that tie keep their places.
    ClickColumnTitle((column + 1) % 6);
    ClickColumnTitle(column);
    const auto byTitle = OurRows();
    ClickColumnTitle((column + 1) % 6);
    PickSortItem(column);
    EXPECT_EQ(mainWindow_->Sorting().SortColumn(), column);
    EXPECT_EQ(OurRows(), byTitle) << "column " << column;
  }

  // In icon view too.
  ClickToolButton(kToolButtonIcons);
  PickSortItem(2);
  EXPECT_EQ(mainWindow_->Sorting().SortColumn(), 2);
}

TEST_F(WindowTest, SelectionFollowsTheRowThroughSortsAndRefreshes) {
  descriptors_.Add("k1", "Zulu", "C:\\b");
  descriptors_.Add("k2", "Alpha", "C:\\a");
  Open();
  const InventoryList& list = mainWindow_->Inventory();
  SelectRow("k1");
  const auto selectedKey = [&] {
    const int index = ListView_GetNextItem(Control(kInventoryListView), -1, LVNI_SELECTED);
    return index < 0 ? std::string() : list.RowAt(static_cast<std::size_t>(index)).keyName;
  };
  ASSERT_EQ(selectedKey(), descriptors_.Prefix() + "k1");
  ClickColumnTitle(1);
  EXPECT_EQ(selectedKey(), descriptors_.Prefix() + "k1");
  descriptors_.Add("k0", "Mike");
  ASSERT_TRUE(RefreshUntil([&] { return Listed("k0"); }));
  EXPECT_EQ(selectedKey(), descriptors_.Prefix() + "k1");
  // Zulu moves up when a row before it goes, and may be the last row then.
  ClickColumnTitle(0);
  descriptors_.Remove(descriptors_.Prefix() + "k2");
  ASSERT_TRUE(RefreshUntil([&] { return !Listed("k2"); }));
  EXPECT_EQ(selectedKey(), descriptors_.Prefix() + "k1");
}

TEST_F(WindowTest, ViewButtonsSwitchTheViewAndWriteTheSetting) {
  Open();
  ClickToolButton(kToolButtonIcons);
  EXPECT_EQ(ListViewMode(), LV_VIEW_ICON);
  EXPECT_FALSE(IsWindowEnabled(Control(kSortHintLabel)));
  EXPECT_EQ(StoredDetailedList(), 0u);
  ClickToolButton(kToolButtonDetails);
  EXPECT_EQ(ListViewMode(), LV_VIEW_DETAILS);
  EXPECT_TRUE(IsWindowEnabled(Control(kSortHintLabel)));
  EXPECT_EQ(StoredDetailedList(), 1u);
}

TEST_F(WindowTest, StartingViewComesFromTheSettingsFile) {
  struct Row {
    const char* stored;  // nullptr: no settings file
    int view;
  };
  for (const Row row :
       {Row{nullptr, LV_VIEW_DETAILS}, Row{"0", LV_VIEW_ICON}, Row{"2", LV_VIEW_DETAILS}, Row{"-1", LV_VIEW_DETAILS}}) {
    DeleteFileA(workingDirectory_.SettingsFile().c_str());
    if (row.stored != nullptr) {
      WritePrivateProfileStringA("", "DetailedList", row.stored, workingDirectory_.SettingsFile().c_str());
    }
    Open();
    EXPECT_EQ(ListViewMode(), row.view) << (row.stored ? row.stored : "no file");
    if (row.stored == nullptr) {
      EXPECT_EQ(GetFileAttributesA(workingDirectory_.SettingsFile().c_str()), INVALID_FILE_ATTRIBUTES)
          << "nothing is written at start-up";
    }
    mainWindow_.reset();
  }
}

TEST_F(WindowTest, ReadOnlyWorkingDirectoryCostsOnlyTheSetting) {
  ASSERT_TRUE(SetFileAttributesA(workingDirectory_.Path().c_str(), FILE_ATTRIBUTE_READONLY));
  MessageBoxAnswerer boxes;
  Open();
  ClickToolButton(kToolButtonIcons);
  EXPECT_EQ(ListViewMode(), LV_VIEW_ICON);
  EXPECT_TRUE(boxes.Seen().empty());
}

TEST_F(WindowTest, QuitAndTheCloseBoxBothStopTheRefresh) {
  for (const bool byQuitButton : {true, false}) {
    Open();
    ASSERT_NE(mainWindow_->RefreshTimerId(), 0u);
    if (byQuitButton) {
      SendMessageA(Control(kQuitButton), BM_CLICK, 0, 0);
    } else {
      SendMessageA(mainWindow_->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    PumpPending();
    EXPECT_EQ(mainWindow_->Handle(), nullptr);
    EXPECT_EQ(mainWindow_->RefreshTimerId(), 0u);
    mainWindow_.reset();
  }
}

TEST_F(WindowTest, AFailingHandlerShowsOneErrorBoxAndTheProgramGoesOn) {
  FailingProfile failingWrites(false, "Settings file locked");
  MessageBoxAnswerer boxes;
  Open(&failingWrites);
  ClickToolButton(kToolButtonIcons);
  ASSERT_EQ(boxes.Seen().size(), 1u);
  EXPECT_EQ(boxes.Seen()[0].caption, "ZOBL Quillmoor");
  EXPECT_EQ(boxes.Seen()[0].text, "Settings file locked.");
  EXPECT_EQ(boxes.Seen()[0].icon, LoadIcon(nullptr, IDI_ERROR));
  EXPECT_EQ(ListViewMode(), LV_VIEW_ICON) << "the steps before the failure stand";
  ClickToolButton(kToolButtonDetails);
  EXPECT_EQ(boxes.Seen().size(), 2u);
  EXPECT_EQ(ListViewMode(), LV_VIEW_DETAILS);
}

TEST_F(WindowTest, AFailureAtStartUpSkipsTheRestAndTheWindowStillOpens) {
  descriptors_.Add("a", "Alpha");
  FailingProfile failingReads(true, "Cannot read settings!");
  MessageBoxAnswerer boxes;
  Open(&failingReads);
  ASSERT_EQ(boxes.Seen().size(), 1u);
  EXPECT_EQ(boxes.Seen()[0].text, "Cannot read settings!");
  EXPECT_TRUE(IsWindowVisible(mainWindow_->Handle()));
  EXPECT_EQ(mainWindow_->Inventory().Count(), 0u) << "the refresh comes after the failing step";
  EXPECT_EQ(mainWindow_->RefreshTimerId(), 0u);
  EXPECT_EQ(TabCtrl_GetCurSel(Control(kPageControl)), 0);
}

// Both print buttons open the print dialog; cancelled, it prints nothing and says nothing.
TEST_F(WindowTest, PrintButtonsOpenThePrintDialog) {
  Open();
  for (const ControlId button : {kPrintListButton, kToolButtonPrint}) {
    const MessageBoxAnswerer answerer(IDCANCEL);
    SendMessageA(mainWindow_->Handle(), WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    const auto& seen = answerer.Seen();
    EXPECT_TRUE(std::any_of(seen.begin(), seen.end(), [](const SeenBox& b) { return b.caption == "Print"; }));
    EXPECT_TRUE(std::none_of(seen.begin(), seen.end(), [](const SeenBox& b) { return b.caption == "ZOBL Quillmoor"; }));
  }
}

// A refresh that finds nothing new leaves the list alone: no erase, nothing to repaint.
TEST_F(WindowTest, IdleRefreshTicksNeitherEraseNorRepaintTheList) {
  descriptors_.Add("a", "Alpha");
  Open();
  static int erasures = 0;
  static HWND list = nullptr;
  erasures = 0;
  list = Control(kInventoryListView);
  win32::ScopedHook hook(SetWindowsHookExA(
      WH_CALLWNDPROC,
      [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
        const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code >= 0 && message->hwnd == list && message->message == WM_ERASEBKGND) ++erasures;
        return CallNextHookEx(nullptr, code, wParam, lParam);
      },
      nullptr, GetCurrentThreadId()));
  ASSERT_TRUE(hook.IsValid());
  for (int tick = 0; tick < 3; ++tick) {
    mainWindow_->RefreshTick();
    PumpPending();
  }
  hook.Reset();
  EXPECT_EQ(erasures, 0);
  EXPECT_FALSE(GetUpdateRect(list, nullptr, FALSE));
  EXPECT_TRUE(Listed("a"));
}

// Typed letters find rows by the start of their names, as in any list.
TEST_F(WindowTest, TypedLettersSelectTheFirstRowWhoseNameStartsSo) {
  for (const char* name : {"Bravo", "acme beta", "Acme Alpha", "Charlie"}) descriptors_.Add(name, name);
  Open();
  const HWND list = Control(kInventoryListView);
  SetFocus(list);
  // As typed: a repeat count of 1 in the key data, which the control insists on.
  for (const char c : std::string("acme")) SendMessageA(list, WM_CHAR, static_cast<WPARAM>(c), 1);
  const auto selected = mainWindow_->Inventory().SelectedIndex();
  ASSERT_TRUE(selected.has_value());
  EXPECT_EQ(mainWindow_->Inventory().RowAt(*selected).name, "Acme Alpha");

  const struct {
    const char* typed;
    const char* from;  // the search starts at (or, as Windows counts, after) this row
    UINT flags;
    const char* found;  // nullptr: none
  } cases[] = {
      {"ACME B", "Acme Alpha", LVFI_PARTIAL | LVFI_WRAP, "acme beta"},
      {"br", "Charlie", LVFI_PARTIAL | LVFI_WRAP, "Bravo"},
      {"br", "Charlie", LVFI_PARTIAL, nullptr},
      {"zulu", "Acme Alpha", LVFI_PARTIAL | LVFI_WRAP, nullptr},
  };
  for (const auto& c : cases) {
    LVFINDINFOA find{};
    find.flags = LVFI_STRING | c.flags;
    find.psz = c.typed;
    const int found = static_cast<int>(
        SendMessageA(list, LVM_FINDITEMA, static_cast<WPARAM>(RowIndex(c.from)), reinterpret_cast<LPARAM>(&find)));
    EXPECT_EQ(found, c.found != nullptr ? RowIndex(c.found) : -1) << c.typed;
  }
}

// Maximized on the 1280 x 1024 screen, the list fills its page and the bottom row of
// buttons keeps its distance to the window's bottom edge.
TEST_F(WindowTest, MaximizedTheListFillsThePage) {
  Open();
  RECT client;
  GetClientRect(mainWindow_->Handle(), &client);
  RECT list;
  GetWindowRect(Control(kInventoryListView), &list);
  MapWindowPoints(nullptr, mainWindow_->Handle(), reinterpret_cast<POINT*>(&list), 2);
  EXPECT_GT(list.right, client.right - 30);
  EXPECT_GT(list.bottom, client.bottom - 150);
  RECT quit;
  GetWindowRect(Control(kQuitButton), &quit);
  MapWindowPoints(nullptr, mainWindow_->Handle(), reinterpret_cast<POINT*>(&quit), 2);
  EXPECT_EQ(client.bottom - quit.bottom, 1);  // 534 - 533 at 120 dpi, 427 - 426 at 96
}

}  // namespace
}  // namespace zobl::testing
