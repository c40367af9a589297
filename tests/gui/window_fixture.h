#pragma once

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/app_composition.h"
#include "gui_support.h"
#include "mainwindow/main_window.h"
#include "ui/failure_text.h"
#include "platform/display_contrast.h"
#include "platform/win32/win32_clipboard.h"
#include "platform/win32/win32_directory_listing.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_growing_file.h"
#include "platform/win32/win32_local_clock.h"
#include "platform/win32/win32_locale.h"
#include "platform/win32/win32_print_platform.h"
#include "platform/win32/win32_process_watcher.h"
#include "platform/win32/win32_profile.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_registry_watch.h"
#include "platform/win32/win32_message_pump.h"
#include "platform/win32/win32_text_file.h"
#include "platform/win32/win32_tick_source.h"
#include "platform/win32/win32_user_dialogs.h"

namespace zobl::testing {

// The system's high contrast as the test sets it; off, as on the test's screen.
struct SwitchableContrast final : DisplayContrast {
  bool HighContrastOn() override { return on; }
  bool on = false;
};

// The real window in this process, over the real registry, files and settings, in a
// scratch working directory, with descriptors of the test's own.
class WindowTest : public ::testing::Test {
 protected:
  void Open(Profile* profile = nullptr) {
    form_.reset();
    app_ = std::make_unique<AppComposition>(FormServices{registry_, fileSystem_, listing_, pump_, ticks_,
                                                         registryWatcher_, locale_, profile ? *profile : profile_,
                                                         shell_, dialogs_, growingFiles_, clock_, processes_});
    const WindowServices window{fileSystem_, shell_, files_, dialogs_, printing_, clipboard_, contrast_, ticks_,
                                [this](HWND owner) {
                                  dialogs_.SetOwner(owner);
                                  clipboard_.SetOwner(owner);
                                  printing_.SetOwner(owner);
                                }};
    form_ = std::make_unique<MainWindow>(window, app_->Features());
    form_->Create(GetModuleHandleA(nullptr));
    form_->Show();
    // As the program's loop: the window's keys work inside the scan's pump too.
    pump_.SetKeyHandler([this](MSG& message) { return form_->PreTranslateMessage(message); });
    PumpPending();
  }

  // Lets the refresh timer tick, as often as needed, until `done` holds: a tick reads the
  // registry only after a watched key changed, so each one here is what the timer would do.
  bool RefreshUntil(const std::function<bool()>& done) const {
    return PumpUntil(
        [&] {
          form_->RefreshTick();
          return done();
        },
        10000);
  }

  HWND Control(ControlId id) const { return form_->Control(id); }

  // The key names of this test's rows, in display order.
  std::vector<std::string> OurRows() const {
    std::vector<std::string> keys;
    const InventoryList& list = form_->Inventory();
    for (std::size_t i = 0; i < list.Count(); ++i) {
      const std::string& key = list.RowAt(i).keyName;
      if (key.rfind(descriptors_.Prefix(), 0) == 0) keys.push_back(key.substr(descriptors_.Prefix().size()));
    }
    return keys;
  }
  // The display index of the row of this test's descriptor `suffix`; -1 when not listed.
  int RowIndex(const std::string& suffix) const {
    const InventoryList& list = form_->Inventory();
    for (std::size_t i = 0; i < list.Count(); ++i) {
      if (list.RowAt(i).keyName == descriptors_.Prefix() + suffix) return static_cast<int>(i);
    }
    return -1;
  }
  const UninstallEntry* Row(const std::string& suffix) const {
    const int index = RowIndex(suffix);
    return index < 0 ? nullptr : &form_->Inventory().RowAt(static_cast<std::size_t>(index));
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
  win32::Win32Registry registry_;
  win32::Win32FileSystem fileSystem_;
  win32::Win32DirectoryListing listing_;
  win32::Win32MessagePump pump_;
  win32::Win32TickSource ticks_;
  win32::Win32RegistryWatcher registryWatcher_;
  win32::Win32Locale locale_;
  win32::Win32Profile profile_{".\\ZOBL.INI"};
  RecordingShell shell_;
  win32::Win32TextFileReader files_;
  win32::Win32UserDialogs dialogs_{kApplicationTitle};
  win32::Win32PrintPlatform printing_;
  win32::Win32GrowingFiles growingFiles_;
  win32::Win32LocalClock clock_;
  win32::Win32ProcessWatcher processes_;
  win32::Win32Clipboard clipboard_;
  SwitchableContrast contrast_;
  std::unique_ptr<AppComposition> app_;  // outlives the form
  std::unique_ptr<MainWindow> form_;
};

}  // namespace zobl::testing
