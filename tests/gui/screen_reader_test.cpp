// What a screen reader reads of the window through the system's accessibility interface.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "mainwindow/tidy_window.h"
#include "platform/win32/accessibility.h"
#include "reports/win32/pie_chart_window.h"
#include "window_fixture.h"

namespace zobl::testing {
namespace {

struct ComScope {
  ComScope() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  ~ComScope() { CoUninitialize(); }
};

std::string Utf8(BSTR text) {
  std::string out(text == nullptr ? 0 : WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr), '\0');
  if (!out.empty())
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), static_cast<int>(out.size()), nullptr, nullptr);
  if (!out.empty()) out.pop_back();
  SysFreeString(text);
  return out;
}

// A window's object as a screen reader gets it; released with the holder.
struct Accessible {
  explicit Accessible(HWND window) {
    AccessibleObjectFromWindow(window, OBJID_CLIENT, win32::kIidAccessible, reinterpret_cast<void**>(&object));
  }
  ~Accessible() {
    if (object != nullptr) object->Release();
  }
  static VARIANT Child(long id) {
    VARIANT child;
    child.vt = VT_I4;
    child.lVal = id;
    return child;
  }
  std::string Name(long id = CHILDID_SELF) const {
    BSTR text = nullptr;
    object->get_accName(Child(id), &text);
    return Utf8(text);
  }
  std::string Value(long id = CHILDID_SELF) const {
    BSTR text = nullptr;
    object->get_accValue(Child(id), &text);
    return Utf8(text);
  }
  std::string Role() const {
    VARIANT role;
    VariantInit(&role);
    object->get_accRole(Child(CHILDID_SELF), &role);
    char text[64] = {};
    GetRoleTextA(role.lVal, text, sizeof text);
    return text;
  }
  IAccessible* object = nullptr;
};

TEST_F(WindowTest, EveryControlHasANameAndARoleForScreenReaders) {
  const ComScope com;
  Open();
  struct Row {
    ControlId control;
    const char* name;
    const char* role;
  };
  const Row rows[] = {
      {kFaqButton, "Online FAQ...", "push button"},
      {kQuitButton, "Quit ZOBL", "push button"},
      {kPageControl, "Pages", "page tab list"},
      {kLatestVersionButton, "Find Latest Version...", "push button"},
      {kComputeSizesButton, "Compute the Files Size", "push button"},
      {kComputeProgressBar, "Measuring", "progress bar"},
      {kUninstallButton, "Setup / Uninstall Selected Line", "push button"},
      {kRemoveEntryButton, "Remove Line But not the files", "push button"},
      {kPrintListButton, "Print the list", "push button"},
      {kSortByCombo, "Sort By", "combo box"},
      {kNamelessLinesCheckBox, "Display Nameless Lines", "check button"},
      {kFilterBox, "Filter", "text"},
      {kInventoryListView, "List", "list"},
      {kToolBar, "Display Details, Show Icons, Print the list, Tidy Several Programs (Ctrl+U)", "tool bar"},
      {kSortHintLabel, "Click on a column title to sort the table:", "static text"},
      {kSortByLabel, "Sort By:", "static text"},
      {kNamelessLinesLabel, "Display Nameless Lines", "static text"},
      {kTextureCheckBox, "Display MARLO' picture as the background.", "check button"},
      {kTextureLabel, "Display MARLO' picture as the background.", "static text"},
      {kAboutText, "ZOBL Quillmoor", "text"},
      {kAboutAuthorButton, "About the Author himself", "push button"},
      {kSupportButton, "Click here to support me !", "push button"},
      {kAboutTitleLabel, "ZOBL Quillmoor", "static text"},
      {kWebSiteLink, "YOU WILL FIND A LOT OF FREEWARE ON MY WEB SITE:", "link"},
      {kFreewareLabel, "This program is FREEWARE.", "static text"},
  };
  for (const Row& row : rows) {
    const Accessible control(Control(row.control));
    ASSERT_NE(control.object, nullptr) << row.name;
    EXPECT_EQ(control.Name(), row.name);
    EXPECT_EQ(control.Role(), row.role) << row.name;
  }
  const Accessible header(ListView_GetHeader(Control(kInventoryListView)));
  EXPECT_EQ(header.Name(),
            "Name, Key Name, Date of Installation, Size of main directory, Command, Directory (supposed)");
  const Accessible piePage(mainWindow_->Page(WindowPage::Pie));
  EXPECT_EQ(piePage.Name(), "Pie");
  EXPECT_EQ(piePage.Role(), "property page");
  // The parts whose value the system's objects leave out under Wine.
  PickSortItem(3);
  EXPECT_EQ(Accessible(Control(kSortByCombo)).Value(), "Size");
  SendMessageA(Control(kPageControl), WM_KEYDOWN, VK_RIGHT, 0);  // to the Pie tab
  EXPECT_EQ(Accessible(Control(kPageControl)).Value(), "Pie");
  VARIANT state;
  Accessible(Control(kTextureCheckBox)).object->get_accState(Accessible::Child(CHILDID_SELF), &state);
  EXPECT_EQ(state.lVal & STATE_SYSTEM_CHECKED, STATE_SYSTEM_CHECKED) << "the picture is shown at start";
}

// The tidy window's controls, as its list of programs shows them.
TEST_F(WindowTest, TheTidyWindowsControlsHaveNamesAndRolesForScreenReaders) {
  const ComScope com;
  Open();
  ClickToolButton(kToolButtonTidy);
  const HWND tidy = FindWindowA(kTidyWindowClass, nullptr);
  ASSERT_NE(tidy, nullptr);
  const std::pair<TidyControlId, std::pair<const char*, const char*>> rows[] = {
      {kTidyList, {"Programs", "list"}},
      {kTidyQuietCheckBox, {"Quietly, where the program offers it", "check button"}},
      {kTidyUninstallButton, {"Uninstall Ticked...", "push button"}},
      {kTidyRemoveLinesButton, {"Remove Ticked Lines...", "push button"}},
      {kTidyCloseButton, {"Close", "push button"}},
      {kTidyProgressBar, {"Uninstalling", "progress bar"}},
  };
  for (const auto& [id, expected] : rows) {
    const Accessible control(GetDlgItem(tidy, id));
    ASSERT_NE(control.object, nullptr) << expected.first;
    EXPECT_EQ(control.Name(), expected.first);
    EXPECT_EQ(control.Role(), expected.second) << expected.first;
  }
  SendMessageA(tidy, WM_CLOSE, 0, 0);
}

HWND g_reordered = nullptr;

TEST(PieChartScreenReaderTest, SlicesReadInTheLegendsOrderAndTheObjectOutlivesTheChart) {
  const ComScope com;
  PieSeries series;
  series.SetValueOrder(ValueOrder::Ascending);
  series.Add(65536, "All other programs", {255, 0, 0});  // kilobytes: 64 MiB
  series.Add(196608, "Ledger+Ledger Tools", {0, 255, 0});
  series.Add(786432, "Hotel Atlas", {0, 0, 255});
  const HWND parent =
      CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 10, 20, 770, 473, nullptr, nullptr, nullptr, nullptr);
  const win32::WindowScale scale;  // at the design's 120 dpi
  auto chart = std::make_unique<PieChartWindow>(parent, GetModuleHandleA(nullptr), scale, series, NumberSeparators{});
  Accessible pie(chart->Handle());
  ASSERT_NE(pie.object, nullptr);
  EXPECT_EQ(pie.Name(), "Program Files Sorted By Size");
  EXPECT_EQ(pie.Role(), "chart");
  long count = 0;
  pie.object->get_accChildCount(&count);
  ASSERT_EQ(count, 3);
  EXPECT_EQ(pie.Name(1), "Hotel Atlas");
  EXPECT_EQ(pie.Value(1), "0.75 Gb, 75 %");
  EXPECT_EQ(pie.Name(2), "Ledger+Ledger Tools");
  EXPECT_EQ(pie.Value(2), "192 Mb, 18.75 %");
  EXPECT_EQ(pie.Name(3), "All other programs");
  EXPECT_EQ(pie.Value(3), "64.0 Mb, 6.25 %");
  // Each slice is placed on the screen, inside the chart.
  RECT window;
  GetWindowRect(chart->Handle(), &window);
  for (long id = 1; id <= count; ++id) {
    long left = 0, top = 0, width = 0, height = 0;
    ASSERT_EQ(pie.object->accLocation(&left, &top, &width, &height, Accessible::Child(id)), S_OK);
    EXPECT_GT(width, 0);
    EXPECT_GT(height, 0);
    EXPECT_TRUE(left >= window.left && top >= window.top && left + width <= window.right &&
                top + height <= window.bottom);
  }
  // A changed pie tells screen readers to read it again.
  const HWINEVENTHOOK hook = SetWinEventHook(
      EVENT_OBJECT_REORDER, EVENT_OBJECT_REORDER, nullptr,
      [](HWINEVENTHOOK, DWORD, HWND source, LONG, LONG, DWORD, DWORD) { g_reordered = source; }, GetCurrentProcessId(),
      0, WINEVENT_OUTOFCONTEXT);
  series.DeleteAt(0);
  chart->Invalidate();
  PumpUntil([&] { return g_reordered != nullptr; }, 5000);
  UnhookWinEvent(hook);
  EXPECT_EQ(g_reordered, chart->Handle());
  pie.object->get_accChildCount(&count);
  EXPECT_EQ(count, 2);
  // A screen reader may hold the object after the chart has gone.
  chart.reset();
  DestroyWindow(parent);
  BSTR name = nullptr;
  EXPECT_EQ(pie.object->get_accName(Accessible::Child(1), &name), CO_E_OBJNOTCONNECTED);
  EXPECT_EQ(pie.object->get_accChildCount(&count), CO_E_OBJNOTCONNECTED);
}

}  // namespace
}  // namespace zobl::testing
