#pragma once

#include <windows.h>

#include <memory>
#include <optional>

#include "inventory/inventory_list.h"
#include "mainwindow/app_composition.h"
#include "mainwindow/main_window_controls.h"
#include "ui/control_actions.h"
#include "ui/window_design.h"
#include "ui/run_presenter.h"
#include "ui/list_sorting.h"
#include "ui/row_menu.h"
#include "ui/web_links.h"
#include "mainwindow/tidy_window.h"
#include "mainwindow/window_services.h"
#include "platform/win32/gdi_handles.h"
#include "platform/win32/window_base.h"
#include "platform/win32/window_scale.h"
#include "version.h"
#include "reports/win32/pie_chart_window.h"
#include "reports/pie_series.h"

namespace zobl {

inline constexpr char kMainWindowClass[] = "TForm1";
inline constexpr char kMainWindowCaption[] = "ZOBL Quillmoor " ZOBL_VERSION_TEXT;
inline constexpr UINT kRefreshPeriodMilliseconds = 2000;

// The program's main window (the design's Form1): a page control with the tabs "List",
// "Pie", "Options" and "About" over a row of buttons. It dispatches, lays out and forwards
// to the feature objects; each control's action is named for what it does.
class MainWindow final : public win32::WindowBase<MainWindow>,
                         private RunDisplay,
                         private TabSheet::Owner,
                         private ControlActions {
 public:
  MainWindow(const WindowServices& services, AppComposition& features);
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Creates the window, which runs StartUp. The layout follows the screen's
  // resolution unless `dpi` names another.
  HWND Create(HINSTANCE instance, int dpi = 0);
  // Opens the created window maximized.
  void Show() const;
  // The resolution the window's controls, fonts and pictures are made for.
  [[nodiscard]] int Dpi() const { return scale_.Dpi(); }
  // A control or page of the open window; nullptr before WM_CREATE and after WM_DESTROY.
  [[nodiscard]] HWND Control(ControlId id) const;
  [[nodiscard]] HWND Page(WindowPage page) const;
  [[nodiscard]] InventoryList& Inventory() { return features_.list; }
  [[nodiscard]] const ListSorting& Sorting() const { return features_.sorting; }
  [[nodiscard]] UINT_PTR RefreshTimerId() const;
  // What the refresh timer does at each tick, now.
  void RefreshTick();
  // The pie's slices, which the chart on the Pie tab draws.
  [[nodiscard]] const PieSeries& PieSlices() const { return features_.pieSeries; }
  // The chart on the Pie tab; nullptr while the window is not open.
  [[nodiscard]] const PieChartWindow* PieChart() const;
  [[nodiscard]] std::optional<WindowPage> ActivePage() const { return activePage_; }
  // Makes `page` the visible page, as a click on its tab does; a page that was not
  // showing hears that it is shown.
  void ActivatePage(WindowPage page);
  // The window's keys, before the control with the focus sees them; true when the
  // message was used. The message loop calls this for every message.
  bool PreTranslateMessage(MSG& message);

 private:
  friend class win32::WindowBase<MainWindow>;
  struct Shown;

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT PageMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) override;
  template <typename Handler>
  void FromOutside(Handler&& handler);
  void PaintPage(HWND page) const;

  void OnCreate();
  void OnClose();
  void OnDestroy();
  void OnCommand(int id, int code);
  void OnPageShown(WindowPage page);
  LRESULT OnNotify(const NMHDR& header);
  LRESULT OnControlColour(HDC dc, HWND control) const;
  void OnSize();
  // The window moved to a screen of another resolution: its scale follows, and it lays
  // everything out again.
  void OnDpiChanged(int dpi, const RECT& suggested);
  void OnTimer(UINT_PTR id);
  void OnScroll(int bar, int request);
  void SwitchTab(int step);
  // Ctrl+C: the selected row's texts to the clipboard; nothing without a selection.
  void CopySelectedRow();
  // Ctrl+F or F3: the keys go to the filter box, its text selected to be typed over.
  void FocusFilterBox();
  // How many rows the filter leaves, beside the list.
  void ShowShownCount();
  // A row's menu for the right button, Shift+F10 or the Menu key; false when `source`
  // is not the list, whose rows alone have one.
  bool OnContextMenu(HWND source, LPARAM position);
  void RunRowCommand(RowMenuCommand command, RowId id);
  // Follows the system's high contrast: the picture stands aside, the labels take its colours.
  void FollowContrast();

  // What the controls and the window's start and end do.
  // The window's start: the picture, the view mode, the first refresh, its timer, About.
  void StartUp();
  // The window's end: the picture and the refresh timer stop.
  void ShutDown();
  void SortByColumnClicked(int column);
  void LoadAboutText();
  // One of the product's web pages, in the user's browser.
  void OpenPage(std::string_view page);

  // What the controls do, as the design gives each its action.
  void Quit() override;
  void ComputeSizes() override;
  void ShowDetails() override;
  void ShowIcons() override;
  void PrintList() override;
  // "Tidy Several Programs...": its window over this one, or forward when it is open.
  void OpenTidyWindow() override;
  void NamelessLinesToggled() override;
  void TextureToggled() override;
  void SortByChosen() override;
  // The filter box's text changed: the list shows the rows holding it.
  void FilterChanged() override;
  void UninstallSelectedRow() override;
  void RemoveSelectedRow() override;
  void OpenLatestVersionPage() override { OpenPage(kLatestVersionPage); }
  void OpenFaqPage() override { OpenPage(kFaqPage); }
  void OpenHomePage() override { OpenPage(kHomePage); }
  void OpenAuthorPage() override { OpenPage(kAuthorPage); }
  void OpenSupportPage() override { OpenPage(kSupportPage); }

  // What the window shows of a compute run.
  void BeginProgress(std::size_t rows) override;
  void StepProgress() override;
  void EndProgress() override;
  void ShowPieTab() override {
    if (shown_) ActivatePage(WindowPage::Pie);
  }
  [[nodiscard]] bool PieTabShown() const override { return activePage_ == WindowPage::Pie; }
  void RefreshPie() override;

  WindowServices services_;
  AppComposition& features_;  // made before the window, and outlive it
  RunPresenter runPresenter_{*this, services_.ticks};
  // The window's resolution, which its parts read and follow; it outlives them.
  win32::WindowScale scale_;
  int askedDpi_ = 0;  // Create's; 0 for the window's own screen's
  win32::ScopedIcon windowIcon_;  // freed after the window, which ~MainWindow destroys first
  // The controls and the views over them, from WM_CREATE to WM_DESTROY. Only the window
  // procedure reaches them, and the calls that come from outside it: those through
  // FromOutside, and the compute run's through the presenter it is handed.
  std::unique_ptr<Shown> shown_;
  // Made when first opened. Its window goes with this one, which owns it; the object stays
  // until this one goes: a run may be measuring a folder, inside the message loop, when
  // this window closes.
  std::unique_ptr<TidyWindow> tidy_;
  std::optional<WindowPage> activePage_;
  bool highContrast_ = false;
};

}  // namespace zobl
