#pragma once

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui_support.h"
#include "mainwindow/app_composition.h"
#include "mainwindow/main_window.h"
#include "mainwindow/system_services.h"
#include "platform/display_contrast.h"

namespace zobl::testing {

// The system's high contrast as the test sets it; off, as on the test's screen.
struct SwitchableContrast final : DisplayContrast {
  bool HighContrastOn() override { return on; }
  bool on = false;
};

// The real system but for the shell, which records, the high contrast the test sets, and
// the settings file a test may hand in.
struct TestSystem final : SystemServices {
  Shell& UserShell() override { return recordingShell; }
  Profile& SettingsFile() override { return otherSettings ? *otherSettings : profile; }
  DisplayContrast& Contrast() override { return switchableContrast; }
  RecordingShell recordingShell;
  SwitchableContrast switchableContrast;
  Profile* otherSettings = nullptr;
};

// The real window in this process, over the real registry, files and settings, in a
// scratch working directory, with descriptors of the test's own.
class WindowTest : public ::testing::Test {
 protected:
  void Open(Profile* profile = nullptr) {
    mainWindow_.reset();
    system_.otherSettings = profile;
    app_ = std::make_unique<AppComposition>(system_);
    mainWindow_ = std::make_unique<MainWindow>(system_.Window(), *app_);
    mainWindow_->Create(GetModuleHandleA(nullptr));
    mainWindow_->Show();
    // As the program's loop: the window's keys work inside the scan's pump too.
    system_.pump.SetKeyHandler([this](MSG& message) { return mainWindow_->PreTranslateMessage(message); });
    PumpPending();
  }

  // Lets the refresh timer tick, as often as needed, until `done` holds: a tick reads the
  // registry only after a watched key changed, so each one here is what the timer would do.
  bool RefreshUntil(const std::function<bool()>& done) const {
    return PumpUntil(
        [&] {
          mainWindow_->RefreshTick();
          return done();
        },
        10000);
  }

  HWND Control(ControlId id) const { return mainWindow_->Control(id); }

  // The key names of this test's rows, in display order.
  std::vector<std::string> OurRows() const {
    std::vector<std::string> keys;
    const InventoryList& list = mainWindow_->Inventory();
    for (std::size_t i = 0; i < list.Count(); ++i) {
      const std::string& key = list.RowAt(i).keyName;
      if (key.rfind(descriptors_.Prefix(), 0) == 0) keys.push_back(key.substr(descriptors_.Prefix().size()));
    }
    return keys;
  }
  // The display index of the row of this test's descriptor `suffix`; -1 when not listed.
  int RowIndex(const std::string& suffix) const {
    const InventoryList& list = mainWindow_->Inventory();
    for (std::size_t i = 0; i < list.Count(); ++i) {
      if (list.RowAt(i).keyName == descriptors_.Prefix() + suffix) return static_cast<int>(i);
    }
    return -1;
  }
  const UninstallEntry* Row(const std::string& suffix) const {
    const int index = RowIndex(suffix);
    return index < 0 ? nullptr : &mainWindow_->Inventory().RowAt(static_cast<std::size_t>(index));
  }
  bool Listed(const std::string& suffix) const { return RowIndex(suffix) >= 0; }
  // Selects the row of this test's descriptor `suffix` as a click would.
  void SelectRow(const std::string& suffix) const {
    ASSERT_GE(RowIndex(suffix), 0) << "no row for " << suffix;
    ListView_SetItemState(Control(kInventoryListView), RowIndex(suffix), LVIS_SELECTED | LVIS_FOCUSED,
                          LVIS_SELECTED | LVIS_FOCUSED);
  }
  void ClickColumnTitle(int column) const {
    const HWND header = ListView_GetHeader(Control(kInventoryListView));
    RECT box;
    SendMessageA(header, HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&box));
    ClickAt(header, {(box.left + box.right) / 2, (box.top + box.bottom) / 2});
    PumpPending();
  }
  void ClickToolButton(ControlId id) const {
    RECT box;
    SendMessageA(Control(kToolBar), TB_GETRECT, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&box));
    ClickAt(Control(kToolBar), {(box.left + box.right) / 2, (box.top + box.bottom) / 2});
    PumpPending();
  }
  void PickSortItem(int item) const {
    const HWND combo = Control(kSortByCombo);
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
    // What the box tells its parent when the user picks an item.
    SendMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(kSortByCombo, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    PumpPending();
  }
  int ListViewMode() const { return static_cast<int>(SendMessageA(Control(kInventoryListView), LVM_GETVIEW, 0, 0)); }
  unsigned StoredDetailedList() const {
    return GetPrivateProfileIntA("", "DetailedList", 77, workingDirectory_.SettingsFile().c_str());
  }

  ScopedWorkingDirectory workingDirectory_;
  TestDescriptors descriptors_;
  TestSystem system_;
  RecordingShell& shell_ = system_.recordingShell;
  SwitchableContrast& contrast_ = system_.switchableContrast;
  std::unique_ptr<AppComposition> app_;  // outlives the window
  std::unique_ptr<MainWindow> mainWindow_;
};

}  // namespace zobl::testing
