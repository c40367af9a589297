#include "mainwindow/main_window.h"

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
#include "mainwindow/control_wrappers.h"
#include "mainwindow/design_scroll.h"
#include "ui/event_guard.h"
#include "ui/failure_text.h"
#include "mainwindow/inventory_list_view.h"
#include "mainwindow/keyboard_navigation.h"
#include "ui/list_commands.h"
#include "mainwindow/pictures.h"
#include "mainwindow/refresh_timer.h"
#include "mainwindow/row_context_menu.h"
#include "mainwindow/run_progress.h"
#include "ui/settings.h"
#include "ui/web_links.h"
#include "platform/clipboard.h"
#include "platform/display_contrast.h"
#include "platform/shell.h"
#include "platform/win32/gdi_handles.h"
#include "platform/win32/win32_number_separators.h"
#include "platform/win32/window_dpi.h"
#include "reports/pie_data.h"
#include "reports/printed_list.h"
#include "texture/win32/texture.h"

namespace zobl {
namespace {

bool KeyDown(int key) { return GetKeyState(key) < 0; }

// `key` pressed, with Ctrl or without, and neither Shift nor Alt.
bool IsKey(const MSG& message, WPARAM key, bool control) {
  return message.message == WM_KEYDOWN && message.wParam == key && KeyDown(VK_CONTROL) == control &&
         !KeyDown(VK_SHIFT) && !KeyDown(VK_MENU);
}

bool IsCopyKey(const MSG& message) { return IsKey(message, 'C', true); }

bool IsRefreshKey(const MSG& message) { return IsKey(message, VK_F5, false); }

bool IsFilterKey(const MSG& message) { return IsKey(message, 'F', true) || IsKey(message, VK_F3, false); }

std::string WindowText(HWND window) {
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace

// The window's parts. The views go before the controls they show, the controls before
// the fonts and pictures they use.
struct MainWindow::Shown {
  Shown(MainWindow& form, HINSTANCE instance)
      : controls(form.window_, instance, form.dpi_, form),
        namelessLines(controls.Get(kNamelessLinesCheckBox)),
        textured(controls.Get(kBackgroundPictureCheckBox)),
        sortBox(controls.Get(kSortByCombo)),
        tabs(controls.Get(kPageControl)),
        progress(form.window_, controls.Get(kComputeSizesButton), controls.Get(kComputeProgressBar)),
        scroll(form.window_, {ScaleToDpi(kDesignWidth, form.dpi_), ScaleToDpi(kDesignHeight, form.dpi_)}),
        listView(form.features_.list,
                 form.features_.shownRows,
                 controls.Get(kInventoryListView),
                 form.dpi_,
                 [&form] {
                   if (form.shown_) form.ShowShownCount();
                 }),
        keyboard(form.window_,
                 controls.Get(kPageControl),
                 controls.Get(kToolBar),
                 [&form](int step) { form.SwitchTab(step); }),
        pieChart(controls.Page(FormPage::Pie),
               instance,
               form.dpi_,
               form.features_.pieSeries,
               win32::UserNumberSeparators()) {}

  FormControls controls;
  CheckBox namelessLines;
  CheckBox textured;
  ComboBox sortBox;
  TabControl tabs;
  RunProgress progress;
  DesignScroll scroll;
  InventoryListView listView;
  KeyboardNavigation keyboard;
  PieChartWindow pieChart;
};

MainWindow::MainWindow(const WindowServices& services, const FormFeatures& features) : services_(services), features_(features) {}

MainWindow::~MainWindow() {
  if (window_ != nullptr) DestroyWindow(window_);
}

HWND MainWindow::Create(HINSTANCE instance, int dpi) {
  Register(instance, kMainWindowClass, 0, GetSysColorBrush(COLOR_BTNFACE));
  // The window's own screen is known once it exists (OnCreate); its restored place is the screen's.
  dpi_ = dpi;
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

HWND MainWindow::Page(FormPage page) const { return shown_ ? shown_->controls.Page(page) : nullptr; }

const PieChartWindow* MainWindow::PieChart() const { return shown_ ? &shown_->pieChart : nullptr; }

UINT_PTR MainWindow::RefreshTimerId() const { return features_.refreshTimer.Id(); }

// Calls the system makes outside the window procedure (the refresh timer's ticks, the
// message loops' key handler) come through here: they reach the window only while it has
// its controls, and a failure is shown as the window procedure shows one.
template <typename Handler>
void MainWindow::FromOutside(Handler&& handler) {
  if (shown_) RunEventHandler(services_.dialogs, std::forward<Handler>(handler));
}

void MainWindow::RefreshTick() {
  FromOutside([this] { features_.refresher.RefreshTick(); });
}

bool MainWindow::PreTranslateMessage(MSG& message) {
  bool used = false;
  FromOutside([&] {
    const bool ours = message.hwnd == window_ || IsChild(window_, message.hwnd);
    // Escape ends a run of "Compute the Files Size" between two entries of the directory under way.
    if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE && features_.computeRun.Running() && ours) {
      features_.computeRun.Stop();
      used = true;
      return;
    }
    // F5 re-reads the registry at once, on every page: the refresh the timer would run.
    if (IsRefreshKey(message) && ours) {
      features_.refresher.RefreshInventory();
      used = true;
      return;
    }
    // On the other pages the key is the focused control's: the About text copies its own.
    if (IsCopyKey(message) && activePage_ == FormPage::List && ours) {
      CopySelectedRow();
      used = true;
      return;
    }
    if (IsFilterKey(message) && activePage_ == FormPage::List && ours) {
      FocusFilterBox();
      used = true;
      return;
    }
    // Escape empties the filter box, which shows every row again.
    if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE && message.hwnd == Control(kFilterBox)) {
      SetWindowTextA(message.hwnd, "");
      used = true;
      return;
    }
    used = shown_->keyboard.PreTranslate(message) || IsDialogMessageA(window_, &message);
  });
  return used;
}

void MainWindow::CopySelectedRow() {
  const std::optional<std::size_t> selected = features_.shownRows.SelectedIndex();
  if (!selected) return;
  if (!services_.clipboard.PutText(RowCopyText(features_.shownRows.RowAt(*selected)))) {
    throw std::runtime_error("The line could not be copied to the clipboard");
  }
}

void MainWindow::FocusFilterBox() {
  const HWND box = Control(kFilterBox);
  SetFocus(box);
  SendMessageA(box, EM_SETSEL, 0, -1);
}

void MainWindow::FilterChanged() {
  shown_->listView.ShowFiltered(WindowText(Control(kFilterBox)));
  ShowShownCount();
}

void MainWindow::ShowShownCount() {
  const HWND label = Control(kShownCountLabel);
  const std::string text = ShownCountText(features_.shownRows);
  if (WindowText(label) == text) return;
  SetWindowTextA(label, text.c_str());
  // The label is transparent and would draw its text over the one it showed before:
  // what lies under it is drawn again first.
  RECT place;
  GetWindowRect(label, &place);
  MapWindowPoints(nullptr, GetParent(label), reinterpret_cast<POINT*>(&place), 2);
  RedrawWindow(GetParent(label), &place, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

// The right button selects the row under the pointer and opens the menu there; Shift+F10
// and the Menu key (the position -1,-1) open it at the selected row. No row, no menu.
bool MainWindow::OnContextMenu(HWND source, LPARAM position) {
  InventoryListView& view = shown_->listView;
  if (source != view.Handle() || activePage_ != FormPage::List) return false;
  const bool fromKeyboard = GET_X_LPARAM(position) == -1 && GET_Y_LPARAM(position) == -1;
  POINT at{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
  const std::optional<std::size_t> index = fromKeyboard ? features_.shownRows.SelectedIndex() : view.RowAtPoint(at);
  if (!index) return true;
  view.SelectRow(*index);
  if (fromKeyboard) at = view.MenuPoint(*index);
  const UninstallEntry& row = features_.shownRows.RowAt(*index);
  const RowId id = row.Id;
  const std::optional<RowMenuCommand> chosen = TrackRowMenu(window_, at, RowMenuItems(row, services_.fileSystem));
  // The menu's loop runs refreshes: the row may have left the list, or the window closed.
  if (chosen && shown_ && features_.list.Find(id) != nullptr) RunRowCommand(*chosen, id);
  return true;
}

void MainWindow::RunRowCommand(RowMenuCommand command, RowId id) {
  // The list commands act on the selected row, which the menu's row is again.
  const std::optional<std::size_t> index = features_.shownRows.IndexOf(id);
  if (!index) return;
  shown_->listView.SelectRow(*index);
  const UninstallEntry& row = *features_.list.Find(id);
  switch (command) {
    case RowMenuCommand::Uninstall: UninstallSelectedRow(); break;
    case RowMenuCommand::RemoveLine: RemoveSelectedRow(); break;
    case RowMenuCommand::Copy: CopySelectedRow(); break;
    case RowMenuCommand::CopyRegistryPath:
      if (!services_.clipboard.PutText(DescriptorLocation(row.Source, row.KeyName))) {
        throw std::runtime_error("The registry path could not be copied to the clipboard");
      }
      break;
    case RowMenuCommand::OpenFolder: {
      // Greyed when there was none; it may have gone, or become something else, while the
      // menu was open.
      const std::optional<std::string> folder = FolderToOpen(row, services_.fileSystem);
      if (!folder || !services_.shell.OpenFolder(*folder)) {
        throw std::runtime_error("The folder \"" + row.Directory.value_or("") + "\" could not be opened");
      }
      break;
    }
  }
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

// The frames of the About tab's support panel: no control draws a bare frame.
void MainWindow::PaintPage(HWND page) const {
  const win32::ScopedPaint paint(page);
  const HDC dc = paint.Get();
  if (shown_ && page == shown_->controls.Page(FormPage::About)) {
    for (const BevelDesign& bevel : kAboutBevels) {
      const DesignRect box = ScaleToDpi(bevel.bounds, dpi_);
      RECT frame{box.left, box.top, box.left + box.width, box.top + box.height};
      OffsetRect(&frame, shown_->controls.Extra().cx, 0);  // with the panel, at the right edge
      DrawEdge(dc, &frame, bevel.raised ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
    }
  }
}

// Labels are transparent over the page; the read-only memo keeps a window's colours.
LRESULT MainWindow::OnControlColour(HDC dc, HWND control) const {
  if (control == Control(kAboutText)) {
    // The pair the scheme gives: its window colour alone would leave black text on a dark one.
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
  }
  SetBkMode(dc, TRANSPARENT);
  if (highContrast_) {
    // The user's colours alone, the link's too: none of ours may lessen the contrast asked for.
    SetTextColor(dc, GetSysColor(control == Control(kWebSiteLink) ? COLOR_HOTLIGHT : COLOR_BTNTEXT));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
  }
  if (control == Control(kWebSiteLink)) SetTextColor(dc, RGB(0, 0, 255));
  // Over the picture a label leaves its background alone; without it, the face colour
  // wipes what a label showed before (a text greyed out is drawn again in full).
  if (features_.texture.Painting()) return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

void MainWindow::OnCreate() {
  const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window_, GWLP_HINSTANCE));
  if (dpi_ <= 0) dpi_ = win32::WindowDpi(window_);
  windowIcon_ = win32::ScopedIcon(CreateWindowIcon());
  SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(windowIcon_.Get()));
  shown_ = std::make_unique<Shown>(*this, instance);
  features_.link.Join(this);
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
  features_.link.Join(nullptr);
  features_.pieSeries.SetRepaint(nullptr);
  features_.refreshTimer.Stop();
  features_.texture.Disable();
  shown_.reset();
  PostQuitMessage(0);
}

std::span<const MainWindow::CommandBinding> MainWindow::CommandBindings() {
  // Push buttons and the tool bar's buttons tell a click as BN_CLICKED, labels as STN_CLICKED.
  static constexpr CommandBinding kBindings[] = {
      {kQuitButton, BN_CLICKED, &MainWindow::Quit},
      {kComputeSizesButton, BN_CLICKED, &MainWindow::ComputeFileSizes},
      {kToolButtonDetails, BN_CLICKED, &MainWindow::ShowDetails},
      {kToolButtonIcons, BN_CLICKED, &MainWindow::ShowIcons},
      {kToolButtonPrint, BN_CLICKED, &MainWindow::PrintList},
      {kPrintListButton, BN_CLICKED, &MainWindow::PrintList},
      {kNamelessLinesCheckBox, BN_CLICKED, &MainWindow::NamelessLinesToggled},
      {kBackgroundPictureCheckBox, BN_CLICKED, &MainWindow::BackgroundPictureToggled},
      {kSortByCombo, CBN_SELCHANGE, &MainWindow::SortByChosen},
      {kFilterBox, EN_CHANGE, &MainWindow::FilterChanged},
      {kUninstallButton, BN_CLICKED, &MainWindow::UninstallSelectedRow},
      {kRemoveEntryButton, BN_CLICKED, &MainWindow::RemoveSelectedRow},
      {kLatestVersionButton, BN_CLICKED, &MainWindow::OpenLatestVersionPage},
      {kFaqButton, BN_CLICKED, &MainWindow::OpenFaqPage},
      {kWebSiteButton, BN_CLICKED, &MainWindow::OpenWebSite},
      {kWebSiteLink, STN_CLICKED, &MainWindow::OpenWebSite},
      {kAboutAuthorButton, BN_CLICKED, &MainWindow::OpenAuthorPage},
      {kSupportButton, BN_CLICKED, &MainWindow::OpenSupportPage},
  };
  return kBindings;
}

void MainWindow::OnCommand(int id, int code) {
  for (const CommandBinding& binding : CommandBindings()) {
    if (binding.control == id && binding.notification == code) return (this->*binding.handler)();
  }
}

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
  shown_->controls.Layout({client.right - ScaleToDpi(kDesignWidth, dpi_), client.bottom - ScaleToDpi(kDesignHeight, dpi_)},
                          shown_->scroll.Offset());
  shown_->listView.FitColumns();
  shown_->pieChart.FitParent();
}

void MainWindow::OnDpiChanged(int dpi, const RECT& suggested) {
  dpi_ = dpi;
  shown_->controls.SetDpi(dpi);
  shown_->listView.SetDpi(dpi);
  shown_->pieChart.SetDpi(dpi);
  shown_->scroll.SetDesign({ScaleToDpi(kDesignWidth, dpi), ScaleToDpi(kDesignHeight, dpi)});
  SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  OnSize();  // also when the rectangle kept the window's size
  RedrawWindow(window_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
}

void MainWindow::OnScroll(int bar, int request) { shown_->scroll.Scroll(bar, request, ScaleToDpi(16, dpi_)); }

bool MainWindow::NamelessLinesShown() const { return shown_->namelessLines.Checked(); }

void MainWindow::StartUp() {
  shown_->scroll.Home();
  ActivatePage(FormPage::List);
  FollowContrast();
  const bool textured = features_.settings.Read(kDisplayTexture);
  features_.texture.LoadPicture(kTextureFile, textured);
  // The box's handler runs as a click on it would have run it.
  if (shown_->textured.Checked() != textured) {
    shown_->textured.SetSilently(textured);
    BackgroundPictureToggled();
  }
  shown_->listView.ShowDetails(features_.settings.Read(kDetailedList));
  features_.refresher.RefreshInventory();
  // No timer, no periodic refresh: the list is then refreshed only on request.
  features_.refreshTimer.Start(kRefreshPeriodMilliseconds, [this] { RefreshTick(); });
  LoadAboutText();
}

void MainWindow::ShutDown() {
  features_.texture.Disable();
  features_.refreshTimer.Stop();
}

void MainWindow::ActivatePage(FormPage page) {
  const std::optional<FormPage> previous = activePage_;
  shown_->controls.ShowPage(page);
  activePage_ = page;
  if (previous != page) OnPageShown(page);
}

void MainWindow::SwitchTab(int step) {
  const auto count = static_cast<int>(std::size(kTabPages));
  const auto current = std::find(std::begin(kTabPages), std::end(kTabPages), activePage_.value_or(FormPage::List));
  const int index = static_cast<int>(current - std::begin(kTabPages));
  ActivatePage(kTabPages[((index + step) % count + count) % count]);
}

void MainWindow::OnPageShown(FormPage page) {
  if (page == FormPage::Pie) PieTabShown();
}

void MainWindow::Quit() { SendMessageA(window_, WM_CLOSE, 0, 0); }

void MainWindow::PrintList() { PrintInventory(features_.shownRows, services_.printing); }

void MainWindow::ComputeFileSizes() { features_.computeRun.ComputeFileSizes(); }

void MainWindow::PieTabShown() { PieRefresh(); }

void MainWindow::PieRefresh() { zobl::PieRefresh(features_.list, features_.pieSeries); }

void MainWindow::BeginProgress(std::size_t rows) { shown_->progress.Begin(rows); }

void MainWindow::StepProgress() { shown_->progress.Step(); }

void MainWindow::EndProgress() { shown_->progress.End(); }

void MainWindow::OnTimer(UINT_PTR id) {
  if (id == RunProgress::kTimer) shown_->progress.OnTimer();
}

void MainWindow::ShowDetails() {
  EnableWindow(Control(kSortHintLabel), TRUE);
  shown_->listView.ShowDetails(true);
  features_.settings.Write(kDetailedList, true);
}

void MainWindow::ShowIcons() {
  EnableWindow(Control(kSortHintLabel), FALSE);
  shown_->listView.ShowDetails(false);
  features_.settings.Write(kDetailedList, false);
}

void MainWindow::NamelessLinesToggled() { features_.refresher.RefreshInventory(); }

// The setting is written even when the picture cannot be had: it is tried again at the
// next start. Every window of the screen is erased anew, so the picture shows or goes at once.
void MainWindow::BackgroundPictureToggled() {
  const bool checked = shown_->textured.Checked();
  if (checked) {
    features_.texture.TextureEnable();
  } else {
    features_.texture.Disable();
  }
  features_.settings.Write(kDisplayTexture, checked);
  InvalidateRect(nullptr, nullptr, TRUE);
}

void MainWindow::SortByColumnClicked(int column) { shown_->sortBox.SetSilently(features_.sorting.SortByColumnClicked(column)); }

void MainWindow::SortByChosen() { features_.sorting.SortByChosen(shown_->sortBox.Selected()); }

void MainWindow::UninstallSelectedRow() { features_.listCommands.UninstallSelectedRow(); }

void MainWindow::RemoveSelectedRow() { features_.listCommands.RemoveSelectedRow(); }

void MainWindow::LoadAboutText() {
  const std::string text = zobl::LoadAboutText(services_.files);
  if (!SetWindowTextA(Control(kAboutText), text.c_str())) throw std::runtime_error("Text exceeds memo capacity");
}

void MainWindow::OpenLatestVersionPage() { services_.shell.OpenAddress(WebAddress(kLatestVersionPage)); }

void MainWindow::OpenFaqPage() { services_.shell.OpenAddress(WebAddress(kFaqPage)); }

void MainWindow::OpenWebSite() { services_.shell.OpenAddress(WebAddress(kHomePage)); }

void MainWindow::OpenAuthorPage() { services_.shell.OpenAddress(WebAddress(kAuthorPage)); }

void MainWindow::OpenSupportPage() { services_.shell.OpenAddress(WebAddress(kSupportPage)); }

}  // namespace zobl
