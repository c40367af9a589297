#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <span>

#include "diskusage/compute_sizes_run.h"
#include "inventory/inventory_list.h"
#include "inventory/inventory_refresh.h"
#include "mainwindow/form_controls.h"
#include "mainwindow/inventory_list_view.h"
#include "mainwindow/keyboard_navigation.h"
#include "mainwindow/list_commands.h"
#include "mainwindow/list_sorting.h"
#include "mainwindow/refresh_timer.h"
#include "mainwindow/settings.h"
#include "platform/directory_listing.h"
#include "platform/file_system.h"
#include "platform/growing_file.h"
#include "platform/local_clock.h"
#include "platform/locale.h"
#include "platform/message_pump.h"
#include "platform/print_platform.h"
#include "platform/profile.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/text_file.h"
#include "platform/tick_source.h"
#include "platform/user_dialogs.h"
#include "platform/win32/gdi_handles.h"
#include "platform/win32/window_timer.h"
#include "reports/pie_chart_window.h"
#include "reports/pie_series.h"
#include "texture/texture.h"

namespace zobl {

inline constexpr char kMainWindowClass[] = "TForm1";
inline constexpr char kMainWindowCaption[] = "ZOBL Quillmoor 2.0";
inline constexpr UINT kRefreshPeriodMilliseconds = 2000;

// What the window needs of the system.
struct FormServices {
  Registry& registry;
  FileSystem& fileSystem;
  DirectoryListing& listing;
  MessagePump& pump;
  TickSource& ticks;
  RegistryWatcher& registryWatcher;
  const Locale& locale;
  Profile& profile;
  Shell& shell;
  TextFileReader& files;
  UserDialogs& dialogs;
  PrintPlatform& printing;
  GrowingFiles& growingFiles;
  const LocalClock& clock;
  // Hears of the window as it is made, and of nullptr once it is gone, so that the
  // boxes and pages the services show belong to the window.
  std::function<void(HWND)> ownerChanged;
};

// Form1, the program's one window: a page control with the tabs "List", "Pie",
// "Options" and "About" over a row of buttons. Its handlers bear the names its design
// gives them.
class TForm1 final : private ComputeSizesView {
 public:
  explicit TForm1(const FormServices& services);
  ~TForm1() override;
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  // Creates the window, which runs ZUMdepart. The layout follows the screen's
  // resolution unless `dpi` names another.
  HWND Create(HINSTANCE instance, int dpi = 0);
  // Opens the created window maximized.
  void Show() const;
  [[nodiscard]] HWND Handle() const { return window_; }
  [[nodiscard]] HWND Control(ControlId id) const { return controls_->Get(id); }
  [[nodiscard]] HWND Page(FormPage page) const { return controls_->Page(page); }
  [[nodiscard]] InventoryList& Inventory() { return list_; }
  [[nodiscard]] const ListSorting& Sorting() const { return sorting_; }
  [[nodiscard]] UINT_PTR RefreshTimerId() const { return refreshTimer_.Id(); }
  // What the refresh timer does at each tick, now.
  void RefreshTick();
  [[nodiscard]] const PieSeries& Series1() const { return series1_; }
  [[nodiscard]] const PieChartWindow* Chart1() const { return chart1_.get(); }
  [[nodiscard]] std::optional<FormPage> ActivePage() const { return activePage_; }
  // Makes `page` the visible page, as a click on its tab does; a page that was not
  // showing hears that it is shown.
  void ActivatePage(FormPage page);
  // Shows the tab `step` places to the right of the current one (to the left when
  // negative), wrapping round.
  void SwitchTab(int step);
  // The window's keys, before the control with the focus sees them; true when the
  // message was used. The message loop calls this for every message.
  bool PreTranslateMessage(MSG& message);

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
  void PaintPage(HWND page) const;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  struct CommandBinding {
    ControlId control;
    int notification;
    void (TForm1::*handler)();
  };
  static std::span<const CommandBinding> CommandBindings();

  void OnCreate();
  void OnClose();
  void OnCommand(int id, int code);
  void OnPageShown(FormPage page);
  LRESULT OnNotify(const NMHDR& header);
  void OnSize();
  void OnTimer(UINT_PTR id);
  void OnScroll(int bar, int request);
  void ScrollTo(int bar, int position);
  [[nodiscard]] bool NamelessLinesShown() const;

  // Event handlers.
  void ZUMdepart();
  void ZOBLtermine();
  void ButtonQuitteClick();
  void ToolButtonPrintClick();
  void ButtonImprimeListeClick();
  void ButtonCalculeTailleClick();
  void TabSheetPieShow();
  void ToolButtonDetailsClick();
  void ToolButtonIconesClick();
  void ChangeEtatAffSansNom();
  void ChgEtatImageFond();
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

  // The compute run's view of the window.
  void BeginProgress(std::size_t rows) override;
  void StepProgress() override;
  void EndProgress() override;
  void ShowProgress() const;
  void ActivatePiePage() override { ActivatePage(FormPage::Pie); }
  [[nodiscard]] bool PiePageActive() const override { return activePage_ == FormPage::Pie; }
  void PieRefresh() override;

  FormServices services_;
  Settings settings_;
  Texture texture_;
  InventoryList list_;
  ListSorting sorting_;
  UninstallWatches watches_;
  InventoryRefresher refresher_;
  DescriptorBackup backup_;
  ListCommands listCommands_;
  ComputeSizesRun computeRun_;
  PieSeries series1_;
  RefreshTimer refreshTimer_;
  HWND window_ = nullptr;
  int dpi_ = kDesignDpi;
  win32::ScopedIcon windowIcon_;  // freed after the window, which ~TForm1 destroys first
  std::unique_ptr<FormControls> controls_;
  std::unique_ptr<InventoryListView> listView_;
  std::unique_ptr<KeyboardNavigation> keyboard_;
  std::unique_ptr<PieChartWindow> chart1_;
  std::optional<FormPage> activePage_;
  // Rows done in the current run. The bar paints itself at once on every change, which
  // costs as much as measuring a small directory; it is shown the count a few times a
  // second instead.
  std::size_t progressDone_ = 0;
  win32::ScopedWindowTimer progressTimer_;
  POINT scroll_{0, 0};
};

}  // namespace zobl
