#include "mainwindow/main_window.h"
#include "mainwindow/main_window_parts.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "inventory/inventory_refresh.h"
#include "inventory/row_copy_text.h"
#include "inventory/shown_rows.h"
#include "inventory/uninstall_key.h"
#include "ui/about_text.h"
#include "ui/failure_text.h"
#include "ui/list_commands.h"
#include "mainwindow/pictures.h"
#include "mainwindow/refresh_timer.h"
#include "mainwindow/row_context_menu.h"
#include "ui/settings.h"
#include "ui/web_links.h"
#include "platform/display_contrast.h"
#include "platform/shell.h"
#include "platform/win32/gdi_handles.h"
#include "platform/win32/window_dpi.h"
#include "reports/pie_data.h"
#include "reports/printed_list.h"
#include "texture/win32/texture.h"

namespace zobl {

MainWindow::MainWindow(const WindowServices& services, AppComposition& features) : services_(services), features_(features) {}

MainWindow::~MainWindow() {
  if (window_ != nullptr) DestroyWindow(window_);
}

HWND MainWindow::Create(HINSTANCE instance, int dpi) {
  Register(instance, kMainWindowClass, 0, GetSysColorBrush(COLOR_BTNFACE));
  // The window's own screen is known once it exists (OnCreate); its restored place is the screen's.
  askedDpi_ = dpi;
  const DesignRect restored = ScaleToDpi(kRestoredBounds, dpi > 0 ? dpi : win32::WindowDpi(nullptr));
  const HWND window = CreateWindowExA(WS_EX_CONTROLPARENT, kMainWindowClass, kMainWindowCaption,
                                      WS_OVERLAPPEDWINDOW | WS_MAXIMIZE | WS_CLIPCHILDREN | WS_HSCROLL | WS_VSCROLL, restored.left,
                                      restored.top, restored.width, restored.height, nullptr, nullptr, instance, this);
  if (window == nullptr) throw std::runtime_error("Cannot create the main window");
  return window;
}

void MainWindow::Show() const {
  ShowWindow(window_, SW_SHOWMAXIMIZED);
  UpdateWindow(window_);
}

HWND MainWindow::Control(ControlId id) const { return shown_ ? shown_->controls.Get(id) : nullptr; }

HWND MainWindow::Page(WindowPage page) const { return shown_ ? shown_->controls.Page(page) : nullptr; }

const PieChartWindow* MainWindow::PieChart() const { return shown_ ? &shown_->pieChart : nullptr; }

UINT_PTR MainWindow::RefreshTimerId() const { return features_.refreshTimer.Id(); }

void MainWindow::RefreshTick() {
  FromOutside([this] { features_.refresher.RefreshTick(); });
}

// The user's choice of the picture stays as set: it shows again once high contrast is off.
void MainWindow::FollowContrast() {
  const bool on = services_.contrast.HighContrastOn();
  const bool changed = on != highContrast_;
  highContrast_ = on;
  features_.texture.StandAside(on);
  if (changed) RedrawWindow(window_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
}

// Every message of the window, and those its pages hand on, passes here once.
LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  // No failure may cross the system's frames; a handler's failure is shown and the window goes on.
  RunEventHandler(services_.dialogs, [&] { result = Dispatch(message, wParam, lParam); });
  return result;
}

LRESULT MainWindow::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE:
      if (services_.ownerChanged) services_.ownerChanged(window_);
      break;
    case WM_CREATE: OnCreate(); return 0;
    case WM_CLOSE: OnClose(); return 0;
    case WM_DESTROY: OnDestroy(); return 0;
    case WM_NCDESTROY:
      if (services_.ownerChanged) services_.ownerChanged(nullptr);
      break;
    default: break;
  }
  // The rest concerns the controls, which exist from WM_CREATE to WM_DESTROY only.
  if (!shown_) return DefWindowProcA(window_, message, wParam, lParam);
  switch (message) {
    case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_NOTIFY: return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_SIZE: OnSize(); return 0;
    case WM_DPICHANGED: OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
    case WM_TIMER: OnTimer(wParam); return 0;
    case WM_HSCROLL: OnScroll(SB_HORZ, LOWORD(wParam)); return 0;
    case WM_VSCROLL: OnScroll(SB_VERT, LOWORD(wParam)); return 0;
    case WM_CTLCOLORSTATIC: return OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_CONTEXTMENU:
      if (OnContextMenu(reinterpret_cast<HWND>(wParam), lParam)) return 0;
      return DefWindowProcA(window_, message, wParam, lParam);
    case WM_SYSCOLORCHANGE: FollowContrast(); return 0;
    case WM_SETTINGCHANGE:
      // The numbers' separators are the user's, and the user may change them.
      if (lParam != 0 && std::string_view(reinterpret_cast<const char*>(lParam)) == "intl") {
        shown_->pieChart.SetSeparators(win32::UserNumberSeparators());
      }
      FollowContrast();
      return 0;
    default: return DefWindowProcA(window_, message, wParam, lParam);
  }
}

// The tab pages hand their controls' notifications to the window. They call its handler
// rather than send it the message: the list asks for every cell it paints, and a sent
// message would pass through the thread's hooks once more (under Wine, two server
// requests each while the background picture is on).
LRESULT MainWindow::PageMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CONTEXTMENU: return HandleMessage(message, wParam, lParam);
    case WM_SETCURSOR:
      // The web site's label is a link.
      if (GetDlgCtrlID(reinterpret_cast<HWND>(wParam)) == kWebSiteLink) {
        SetCursor(LoadCursor(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    case WM_PAINT: PaintPage(page); return 0;
    default: break;
  }
  return DefWindowProcA(page, message, wParam, lParam);
}

void MainWindow::OnCreate() {
  const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window_, GWLP_HINSTANCE));
  scale_.Set(askedDpi_ > 0 ? askedDpi_ : win32::WindowDpi(window_));
  windowIcon_ = win32::ScopedIcon(CreateWindowIcon());
  SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(windowIcon_.Get()));
  shown_ = std::make_unique<Shown>(*this, instance);
  features_.pieSeries.SetRepaint([&chart = shown_->pieChart] { chart.Invalidate(); });
  OnSize();
  StartUp();
}

// The close is never refused: the window goes even when stopping its work fails.
void MainWindow::OnClose() {
  struct DestroyOnExit {
    HWND window;
    ~DestroyOnExit() { DestroyWindow(window); }
  } destroy{window_};
  ShutDown();
}

// The feature objects outlive the window: from now on they no longer reach it, and
// nothing it started goes on.
void MainWindow::OnDestroy() {
  features_.pieSeries.SetRepaint(nullptr);
  features_.refreshTimer.Stop();
  features_.texture.Disable();
  shown_.reset();
  PostQuitMessage(0);
}

// The control's action, as the design gives it.
void MainWindow::OnCommand(int id, int code) {
  if (const ControlAction action = ActionOf(id, code)) (static_cast<ControlActions&>(*this).*action)();
}

void MainWindow::Quit() { SendMessageA(window_, WM_CLOSE, 0, 0); }

void MainWindow::ComputeSizes() { features_.computeRun.ComputeFileSizes(runPresenter_); }

void MainWindow::NamelessLinesToggled() {
  features_.refresher.ShowNamelessRows(shown_->namelessLines.Checked());
  features_.refresher.RefreshInventory();
}

void MainWindow::UninstallSelectedRow() { features_.listCommands.UninstallSelectedRow(); }

void MainWindow::RemoveSelectedRow() { features_.listCommands.RemoveSelectedRow(); }

LRESULT MainWindow::OnNotify(const NMHDR& header) {
  if (header.code == LVN_COLUMNCLICK && header.hwndFrom == Control(kInventoryListView)) {
    SortByColumnClicked(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
    return 0;
  }
  if (header.code == TCN_SELCHANGE && header.hwndFrom == Control(kPageControl)) {
    const int tab = shown_->tabs.Selected();
    if (tab >= 0 && tab < static_cast<int>(std::size(kTabPages))) ActivatePage(kTabPages[tab]);
    return 0;
  }
  LRESULT result = 0;
  if (shown_->listView.OnNotify(header, result)) return result;
  return 0;
}

// A smaller client area scrolls over the design; a larger one gives its room to the
// controls anchored to its right and bottom edges.
void MainWindow::OnSize() {
  shown_->scroll.Fit();
  RECT client;
  GetClientRect(window_, &client);  // the scroll bars may have come or gone
  shown_->controls.Layout({client.right - scale_.Pixels(kDesignWidth), client.bottom - scale_.Pixels(kDesignHeight)},
                          shown_->scroll.Offset());
  shown_->listView.FitColumns();
  shown_->pieChart.FitParent();
}

// The controls, the list and the chart follow the scale before the window takes its new place.
void MainWindow::OnDpiChanged(int dpi, const RECT& suggested) {
  if (!scale_.FollowScreen(window_, dpi, suggested)) return;
  OnSize();  // also when the window kept its size
  RedrawWindow(window_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
}

void MainWindow::OnScroll(int bar, int request) { shown_->scroll.Scroll(bar, request); }

void MainWindow::StartUp() {
  shown_->scroll.Home();
  ActivatePage(WindowPage::List);
  FollowContrast();
  const bool textured = features_.settings.Read(kDisplayTexture);
  features_.texture.LoadPicture(kTextureFile, textured);
  // The box's handler runs as a click on it would have run it.
  if (shown_->textured.Checked() != textured) {
    shown_->textured.SetSilently(textured);
    TextureToggled();
  }
  shown_->listView.ShowDetails(features_.settings.Read(kDetailedList));
  features_.refresher.ShowNamelessRows(shown_->namelessLines.Checked());
  features_.refresher.RefreshInventory();
  // No timer, no periodic refresh: the list is then refreshed only on request.
  features_.refreshTimer.Start(kRefreshPeriodMilliseconds, [this] { RefreshTick(); });
  LoadAboutText();
}

void MainWindow::ShutDown() {
  features_.texture.Disable();
  features_.refreshTimer.Stop();
}

void MainWindow::ActivatePage(WindowPage page) {
  const std::optional<WindowPage> previous = activePage_;
  shown_->controls.ShowPage(page);
  activePage_ = page;
  if (previous != page) OnPageShown(page);
}

void MainWindow::SwitchTab(int step) {
  const auto count = static_cast<int>(std::size(kTabPages));
  const auto current = std::find(std::begin(kTabPages), std::end(kTabPages), activePage_.value_or(WindowPage::List));
  const int index = static_cast<int>(current - std::begin(kTabPages));
  ActivatePage(kTabPages[((index + step) % count + count) % count]);
}

void MainWindow::OnPageShown(WindowPage page) {
  if (page == WindowPage::Pie) RefreshPie();
}

void MainWindow::RefreshPie() { zobl::RefreshPie(features_.list, features_.pieSeries); }

// A run ends without a word to the window once it is closing; these hold the rule besides.
void MainWindow::BeginProgress(std::size_t rows) {
  if (shown_) shown_->progress.Begin(rows);
}

void MainWindow::StepProgress() {
  if (shown_) shown_->progress.Step();
}

void MainWindow::EndProgress() {
  if (shown_) shown_->progress.End();
}

void MainWindow::OpenTidyWindow() {
  if (!tidy_) tidy_ = std::make_unique<TidyWindow>(services_, features_);
  tidy_->Open(window_, scale_.Dpi());
}

void MainWindow::PrintList() { PrintInventory(features_.shownRows, services_.printing); }

void MainWindow::OnTimer(UINT_PTR id) {
  if (id == RunProgress::kTimer) shown_->progress.OnTimer();
}

}  // namespace zobl
