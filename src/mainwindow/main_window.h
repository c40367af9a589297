#pragma once

#include <windows.h>

#include <memory>

#include "inventory/inventory_list.h"
#include "inventory/inventory_refresh.h"
#include "mainwindow/form_controls.h"
#include "mainwindow/inventory_list_view.h"
#include "mainwindow/list_commands.h"
#include "mainwindow/list_sorting.h"
#include "mainwindow/refresh_timer.h"
#include "mainwindow/settings.h"
#include "platform/file_system.h"
#include "platform/locale.h"
#include "platform/profile.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/text_file.h"
#include "platform/win32/gdi_handles.h"
#include "platform/win32/win32_user_dialogs.h"

namespace zobl {

inline constexpr char kMainWindowClass[] = "TForm1";
inline constexpr char kMainWindowCaption[] = "ZOBL Quillmoor 2.0";
inline constexpr UINT kRefreshPeriodMilliseconds = 2000;

// What the window needs of the system.
struct FormServices {
  Registry& registry;
  FileSystem& fileSystem;
  const Locale& locale;
  Profile& profile;
  Shell& shell;
  TextFileReader& files;
};

// Form1, the program's one window: a page control with the tabs "List", "Pie",
// "Options" and "About" over a row of buttons. Its handlers bear the names its design
// gives them.
class TForm1 {
 public:
  explicit TForm1(const FormServices& services);
  ~TForm1();
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  // Creates the window, which runs ZUMdepart. The layout follows the screen's
  // resolution unless `dpi` names another.
  HWND Create(HINSTANCE instance, int dpi = 0);
  // Opens the created window maximized.
  void Show() const;
  [[nodiscard]] HWND Handle() const { return window_; }
  [[nodiscard]] HWND Control(ControlId id) const { return controls_->Get(id); }
  [[nodiscard]] InventoryList& Inventory() { return list_; }
  [[nodiscard]] const ListSorting& Sorting() const { return sorting_; }
  [[nodiscard]] UINT_PTR RefreshTimerId() const { return refreshTimer_.Id(); }
  // Keyboard navigation between the controls; true when the message was used.
  bool PreTranslateMessage(MSG& message);

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
  void PaintPage(HWND page) const;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnCreate();
  void OnCommand(int id, int code);
  LRESULT OnNotify(const NMHDR& header);
  void OnSize();
  void OnScroll(int bar, int request);
  void ScrollTo(int bar, int position);
  [[nodiscard]] bool NamelessLinesShown() const;

  // Event handlers.
  void ZUMdepart();
  void ZOBLtermine();
  void ButtonQuitteClick();
  void ToolButtonDetailsClick();
  void ToolButtonIconesClick();
  void ChangeEtatAffSansNom();
  void CliqueColonne(int column);
  void ChangeClassement();
  void ButtonUninstallClick();
  void ButtonRemoveEntryClick();
  void LoadAboutText();
  void ButtonWebVersionClick();
  void ButtonWebFAQClick();
  void ButtonGoWebClick();
  void BitBtnAboutAuthorClick();
  void ButtonSupportMeClick();

  FormServices services_;
  Settings settings_;
  InventoryList list_;
  ListSorting sorting_;
  InventoryRefresher refresher_;
  win32::Win32UserDialogs dialogs_;
  ListCommands listCommands_;
  RefreshTimer refreshTimer_;
  HWND window_ = nullptr;
  int dpi_ = kDesignDpi;
  win32::ScopedIcon windowIcon_;  // freed after the window, which ~TForm1 destroys first
  std::unique_ptr<FormControls> controls_;
  std::unique_ptr<InventoryListView> listView_;
  POINT scroll_{0, 0};
};

}  // namespace zobl
