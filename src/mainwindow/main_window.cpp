#include "mainwindow/main_window.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>
#include <stdexcept>
#include <string>
#include <string_view>

#include "mainwindow/about_text.h"
#include "mainwindow/event_guard.h"
#include "mainwindow/failure_text.h"
#include "mainwindow/web_links.h"
#include "mainwindow/pictures.h"
#include "platform/win32/gdi_handles.h"
#include "platform/win32/window_class.h"
#include "platform/win32/win32_number_separators.h"
#include "reports/pie_data.h"
#include "reports/printed_list.h"

namespace zobl {
namespace {

constexpr char kPageClass[] = "ZoblTabSheet";
constexpr UINT_PTR kProgressTimer = 1;
constexpr UINT kProgressPeriodMilliseconds = 50;

int ScreenDpi() {
  const win32::ScopedWindowDc screen(nullptr);
  return GetDeviceCaps(screen.Get(), LOGPIXELSY);
}

}  // namespace

TForm1::TForm1(const FormServices& services)
    : services_(services),
      settings_(services.profile),
      list_(services.locale),
      sorting_(list_, services.locale),
      watches_(services.registryWatcher, services.ticks),
      refresher_(services.registry,
                 services.fileSystem,
                 services.locale,
                 list_,
                 [this] { return NamelessLinesShown(); }),
      backup_(services.registry, services.growingFiles, services.clock),
      listCommands_(list_, services.registry, services.fileSystem, services.shell, services.dialogs, backup_),
      computeRun_(list_, services.listing, services.pump, services.ticks, *this) {
  refresher_.WatchWith(watches_);
}

TForm1::~TForm1() {
  if (window_ != nullptr) DestroyWindow(window_);
}

HWND TForm1::Create(HINSTANCE instance, int dpi) {
  win32::RegisterWindowClass(instance, kMainWindowClass, &TForm1::WindowProc, 0, GetSysColorBrush(COLOR_BTNFACE));
  win32::RegisterWindowClass(instance, kPageClass, &TForm1::PageProc, 0, GetSysColorBrush(COLOR_BTNFACE));
  dpi_ = dpi > 0 ? dpi : ScreenDpi();
  const DesignRect restored = ScaleToDpi(kRestoredBounds, dpi_);
  const HWND window = CreateWindowExA(WS_EX_CONTROLPARENT, kMainWindowClass, kMainWindowCaption,
                                      WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_HSCROLL | WS_VSCROLL, restored.left,
                                      restored.top, restored.width, restored.height, nullptr, nullptr, instance, this);
  if (window == nullptr) throw std::runtime_error("Cannot create the main window");
  return window;
}

void TForm1::Show() const {
  ShowWindow(window_, SW_SHOWMAXIMIZED);
  UpdateWindow(window_);
}

bool TForm1::PreTranslateMessage(MSG& message) {
  if (window_ == nullptr) return false;
  // Escape ends a run of "Compute the Files Size" once its current directory is measured.
  if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE && computeRun_.Running() &&
      (message.hwnd == window_ || IsChild(window_, message.hwnd))) {
    computeRun_.Stop();
    return true;
  }
  return (keyboard_ && keyboard_->PreTranslate(message)) || IsDialogMessageA(window_, &message);
}

LRESULT CALLBACK TForm1::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* form = static_cast<TForm1*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    form->window_ = window;
    if (form->services_.ownerChanged) form->services_.ownerChanged(window);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<TForm1*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (form == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  LRESULT result = 0;
  // No failure may cross the system's frames; a handler's failure is shown and the window goes on.
  RunEventHandler(form->services_.dialogs, [&] { result = form->HandleMessage(message, wParam, lParam); });
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    form->window_ = nullptr;
    if (form->services_.ownerChanged) form->services_.ownerChanged(nullptr);
  }
  return result;
}

// The tab pages hand their controls' notifications to the window. They call its procedure
// rather than send it the message: the list asks for every cell it paints, and a sent
// message would pass through the thread's hooks once more (under Wine, two server
// requests each while the background picture is on).
LRESULT CALLBACK TForm1::PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT: return WindowProc(GetAncestor(page, GA_ROOT), message, wParam, lParam);
    case WM_SETCURSOR:
      // The web site's label is a link.
      if (GetDlgCtrlID(reinterpret_cast<HWND>(wParam)) == kLabel5) {
        SetCursor(LoadCursor(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    case WM_PAINT: {
      const auto* form = reinterpret_cast<TForm1*>(GetWindowLongPtrA(GetAncestor(page, GA_ROOT), GWLP_USERDATA));
      if (form != nullptr) {
        form->PaintPage(page);
        return 0;
      }
      break;
    }
    default: break;
  }
  return DefWindowProcA(page, message, wParam, lParam);
}

// The frames of the About tab's support panel: no control draws a bare frame.
void TForm1::PaintPage(HWND page) const {
  const win32::ScopedPaint paint(page);
  const HDC dc = paint.Get();
  if (controls_ && page == controls_->Page(FormPage::About)) {
    for (const BevelDesign& bevel : kAboutBevels) {
      const DesignRect box = ScaleToDpi(bevel.bounds, dpi_);
      RECT frame{box.left, box.top, box.left + box.width, box.top + box.height};
      OffsetRect(&frame, controls_->Extra().cx, 0);  // with the panel, at the right edge
      DrawEdge(dc, &frame, bevel.raised ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
    }
  }
}

LRESULT TForm1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: OnCreate(); return 0;
    case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_NOTIFY: return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_SIZE: OnSize(); return 0;
    case WM_TIMER: OnTimer(wParam); return 0;
    case WM_HSCROLL: OnScroll(SB_HORZ, LOWORD(wParam)); return 0;
    case WM_VSCROLL: OnScroll(SB_VERT, LOWORD(wParam)); return 0;
    case WM_CTLCOLORSTATIC: {
      // Labels are transparent over the page; the read-only memo keeps a window's colours.
      const HDC dc = reinterpret_cast<HDC>(wParam);
      const HWND control = reinterpret_cast<HWND>(lParam);
      if (control == Control(kMemoAbout)) {
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
      }
      SetBkMode(dc, TRANSPARENT);
      if (control == Control(kLabel5)) SetTextColor(dc, RGB(0, 0, 255));
      // Over the picture a label leaves its background alone; without it, the face colour
      // wipes what a label showed before (a text greyed out is drawn again in full).
      if (texture_.Painting()) return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_CLOSE: OnClose(); return 0;
    case WM_SETTINGCHANGE:
      // The numbers' separators are the user's, and the user may change them.
      if (lParam != 0 && chart1_ && std::string_view(reinterpret_cast<const char*>(lParam)) == "intl") {
        chart1_->SetSeparators(win32::UserNumberSeparators());
      }
      return 0;
    case WM_DESTROY:
      keyboard_.reset();
      listView_.reset();
      chart1_.reset();
      PostQuitMessage(0);
      return 0;
    default: return DefWindowProcA(window_, message, wParam, lParam);
  }
}

void TForm1::OnCreate() {
  const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window_, GWLP_HINSTANCE));
  windowIcon_ = win32::ScopedIcon(CreateWindowIcon());
  SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(windowIcon_.Get()));
  controls_ = std::make_unique<FormControls>(window_, instance, dpi_, kPageClass);
  listView_ = std::make_unique<InventoryListView>(list_, Control(kListViewDescription), dpi_);
  keyboard_ = std::make_unique<KeyboardNavigation>(window_, Control(kPageControl1), Control(kToolBar1),
                                                   [this](int step) { SwitchTab(step); });
  chart1_ = std::make_unique<PieChartWindow>(controls_->Page(FormPage::Pie), instance, dpi_, series1_,
                                             win32::UserNumberSeparators());
  series1_.SetRepaint([this] {
    if (chart1_) chart1_->Invalidate();
  });
  OnSize();
  ZUMdepart();
}

// The close is never refused: the window goes even when stopping its work fails.
void TForm1::OnClose() {
  struct DestroyOnExit {
    HWND window;
    ~DestroyOnExit() { DestroyWindow(window); }
  } destroy{window_};
  ZOBLtermine();
}

std::span<const TForm1::CommandBinding> TForm1::CommandBindings() {
  // Push buttons and the tool bar's buttons tell a click as BN_CLICKED, labels as STN_CLICKED.
  static constexpr CommandBinding kBindings[] = {
      {kButtonQuitte, BN_CLICKED, &TForm1::ButtonQuitteClick},
      {kButtonCalculeTaille, BN_CLICKED, &TForm1::ButtonCalculeTailleClick},
      {kToolButtonDetails, BN_CLICKED, &TForm1::ToolButtonDetailsClick},
      {kToolButtonIcones, BN_CLICKED, &TForm1::ToolButtonIconesClick},
      {kToolButtonPrint, BN_CLICKED, &TForm1::ToolButtonPrintClick},
      {kButtonImprimeListe, BN_CLICKED, &TForm1::ButtonImprimeListeClick},
      {kCheckBoxAffLignesSansNom, BN_CLICKED, &TForm1::ChangeEtatAffSansNom},
      {kCheckBoxDisplayTexture, BN_CLICKED, &TForm1::ChgEtatImageFond},
      {kComboBoxClassement, CBN_SELCHANGE, &TForm1::ChangeClassement},
      {kButtonUninstall, BN_CLICKED, &TForm1::ButtonUninstallClick},
      {kButtonRemoveEntry, BN_CLICKED, &TForm1::ButtonRemoveEntryClick},
      {kButtonWebVersion, BN_CLICKED, &TForm1::ButtonWebVersionClick},
      {kButtonWebFAQ, BN_CLICKED, &TForm1::ButtonWebFAQClick},
      {kButtonGoWeb, BN_CLICKED, &TForm1::ButtonGoWebClick},
      {kLabel5, STN_CLICKED, &TForm1::ButtonGoWebClick},
      {kBitBtnAboutAuthor, BN_CLICKED, &TForm1::BitBtnAboutAuthorClick},
      {kButtonSupportMe, BN_CLICKED, &TForm1::ButtonSupportMeClick},
  };
  return kBindings;
}

void TForm1::OnCommand(int id, int code) {
  for (const CommandBinding& binding : CommandBindings()) {
    if (binding.control == id && binding.notification == code) return (this->*binding.handler)();
  }
}

LRESULT TForm1::OnNotify(const NMHDR& header) {
  if (header.code == LVN_COLUMNCLICK && header.hwndFrom == Control(kListViewDescription)) {
    CliqueColonne(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
    return 0;
  }
  if (header.code == TCN_SELCHANGE && header.hwndFrom == Control(kPageControl1)) {
    const int tab = TabCtrl_GetCurSel(header.hwndFrom);
    if (tab >= 0 && tab < static_cast<int>(std::size(kTabPages))) ActivatePage(kTabPages[tab]);
    return 0;
  }
  LRESULT result = 0;
  if (listView_ && listView_->OnNotify(header, result)) return result;
  return 0;
}

// A smaller client area scrolls over the design; a larger one gives its room to the
// controls anchored to its right and bottom edges.
void TForm1::OnSize() {
  if (!controls_) return;
  RECT client;
  GetClientRect(window_, &client);
  const int extent[] = {ScaleToDpi(kDesignWidth, dpi_), ScaleToDpi(kDesignHeight, dpi_)};
  const int page[] = {client.right - client.left, client.bottom - client.top};
  for (const int bar : {SB_HORZ, SB_VERT}) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE;
    info.nMin = 0;
    info.nMax = extent[bar] - 1;
    info.nPage = static_cast<UINT>(std::max(page[bar], 0));
    SetScrollInfo(window_, bar, &info, TRUE);
    ScrollTo(bar, GetScrollPos(window_, bar));  // the system may have clamped it
  }
  GetClientRect(window_, &client);  // the scroll bars may have come or gone
  controls_->Layout({client.right - extent[SB_HORZ], client.bottom - extent[SB_VERT]}, scroll_);
  if (chart1_) chart1_->FitParent();
}

void TForm1::OnScroll(int bar, int request) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  GetScrollInfo(window_, bar, &info);
  const int line = ScaleToDpi(16, dpi_);
  int position = info.nPos;
  switch (request) {
    case SB_LINEUP: position -= line; break;
    case SB_LINEDOWN: position += line; break;
    case SB_PAGEUP: position -= static_cast<int>(info.nPage); break;
    case SB_PAGEDOWN: position += static_cast<int>(info.nPage); break;
    case SB_THUMBTRACK: position = info.nTrackPos; break;
    case SB_TOP: position = info.nMin; break;
    case SB_BOTTOM: position = info.nMax; break;
    default: return;
  }
  SetScrollPos(window_, bar, position, TRUE);
  ScrollTo(bar, GetScrollPos(window_, bar));
}

// Moves the content so that `position` of the layout is at the client's edge.
void TForm1::ScrollTo(int bar, int position) {
  LONG& current = bar == SB_HORZ ? scroll_.x : scroll_.y;
  if (position == current) return;
  const int delta = current - position;
  current = position;
  ScrollWindowEx(window_, bar == SB_HORZ ? delta : 0, bar == SB_VERT ? delta : 0, nullptr, nullptr, nullptr, nullptr,
                 SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
}

bool TForm1::NamelessLinesShown() const {
  return controls_ && SendMessageA(Control(kCheckBoxAffLignesSansNom), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TForm1::ZUMdepart() {
  SetScrollPos(window_, SB_VERT, 0, TRUE);
  ScrollTo(SB_VERT, 0);
  SetScrollPos(window_, SB_HORZ, 0, TRUE);
  ScrollTo(SB_HORZ, 0);
  ActivatePage(FormPage::List);
  const bool textured = settings_.Read(kDisplayTexture);
  texture_.TextureInit(kTextureFile, textured);
  // A change the program makes raises no click: the box's handler is called as a click would.
  const HWND textureBox = Control(kCheckBoxDisplayTexture);
  if ((SendMessageA(textureBox, BM_GETCHECK, 0, 0) == BST_CHECKED) != textured) {
    SendMessageA(textureBox, BM_SETCHECK, textured ? BST_CHECKED : BST_UNCHECKED, 0);
    ChgEtatImageFond();
  }
  listView_->ShowDetails(settings_.Read(kDetailedList));
  refresher_.RefreshInventory();
  // No timer, no periodic refresh: the list is then refreshed only on request.
  refreshTimer_.Start(kRefreshPeriodMilliseconds, [this] { RefreshTick(); });
  LoadAboutText();
}

// The timer calls this outside the window procedure: it needs a failure guard of its own.
void TForm1::RefreshTick() {
  RunEventHandler(services_.dialogs, [this] { refresher_.RefreshTick(); });
}

void TForm1::ZOBLtermine() {
  texture_.TextureDisable();
  refreshTimer_.Stop();
}

void TForm1::ActivatePage(FormPage page) {
  const std::optional<FormPage> previous = activePage_;
  controls_->ShowPage(page);
  activePage_ = page;
  if (previous != page) OnPageShown(page);
}

// Called from the message loop, outside the window procedure's failure guard.
void TForm1::SwitchTab(int step) {
  RunEventHandler(services_.dialogs, [this, step] {
    const auto count = static_cast<int>(std::size(kTabPages));
    const auto current = std::find(std::begin(kTabPages), std::end(kTabPages), activePage_.value_or(FormPage::List));
    const int index = static_cast<int>(current - std::begin(kTabPages));
    ActivatePage(kTabPages[((index + step) % count + count) % count]);
  });
}

void TForm1::OnPageShown(FormPage page) {
  if (page == FormPage::Pie) TabSheetPieShow();
}

void TForm1::ButtonQuitteClick() { SendMessageA(window_, WM_CLOSE, 0, 0); }

void TForm1::ToolButtonPrintClick() { PrintInventory(list_, services_.printing); }

void TForm1::ButtonImprimeListeClick() { PrintInventory(list_, services_.printing); }

void TForm1::ButtonCalculeTailleClick() { computeRun_.ButtonCalculeTailleClick(); }

void TForm1::TabSheetPieShow() { PieRefresh(); }

void TForm1::PieRefresh() { zobl::PieRefresh(list_, series1_); }

// The bar stands exactly where the design puts the button, which it replaces while a run goes.
void TForm1::BeginProgress(std::size_t rows) {
  if (window_ == nullptr) return;
  const HWND bar = Control(kProgressBarCalculeTaille);
  SendMessageA(bar, PBM_SETRANGE32, 0, static_cast<LPARAM>(std::min<std::size_t>(rows, INT_MAX)));
  SendMessageA(bar, PBM_SETSTEP, 1, 0);
  SendMessageA(bar, PBM_SETPOS, 0, 0);
  progressDone_ = 0;
  progressTimer_ = win32::ScopedWindowTimer(window_, kProgressTimer, kProgressPeriodMilliseconds);
  ShowWindow(Control(kButtonCalculeTaille), SW_HIDE);
  ShowWindow(bar, SW_SHOW);
}

void TForm1::StepProgress() { ++progressDone_; }

void TForm1::OnTimer(UINT_PTR id) {
  if (id == kProgressTimer) ShowProgress();
}

void TForm1::ShowProgress() const {
  const HWND bar = Control(kProgressBarCalculeTaille);
  const auto shown = static_cast<std::size_t>(SendMessageA(bar, PBM_GETPOS, 0, 0));
  // The bar stops at its maximum; rows added during the run take it no further.
  if (shown != progressDone_)
    SendMessageA(bar, PBM_SETPOS, static_cast<WPARAM>(std::min<std::size_t>(progressDone_, INT_MAX)), 0);
}

void TForm1::EndProgress() {
  progressTimer_.Reset();
  if (window_ == nullptr) return;
  // The last rows are done since the timer last showed the count: the run ends on a full bar.
  ShowProgress();
  UpdateWindow(Control(kProgressBarCalculeTaille));
  ShowWindow(Control(kProgressBarCalculeTaille), SW_HIDE);
  ShowWindow(Control(kButtonCalculeTaille), SW_SHOW);
  // Hiding the clicked button left the keyboard with the window itself; give it back.
  if (GetFocus() == window_) SetFocus(Control(kButtonCalculeTaille));
}

void TForm1::ToolButtonDetailsClick() {
  EnableWindow(Control(kLabelSorting), TRUE);
  listView_->ShowDetails(true);
  settings_.Write(kDetailedList, true);
}

void TForm1::ToolButtonIconesClick() {
  EnableWindow(Control(kLabelSorting), FALSE);
  listView_->ShowDetails(false);
  settings_.Write(kDetailedList, false);
}

void TForm1::ChangeEtatAffSansNom() { refresher_.RefreshInventory(); }

// The setting is written even when the picture cannot be had: it is tried again at the
// next start. Every window of the screen is erased anew, so the picture shows or goes at once.
void TForm1::ChgEtatImageFond() {
  const bool checked = SendMessageA(Control(kCheckBoxDisplayTexture), BM_GETCHECK, 0, 0) == BST_CHECKED;
  if (checked) {
    texture_.TextureEnable();
  } else {
    texture_.TextureDisable();
  }
  settings_.Write(kDisplayTexture, checked);
  InvalidateRect(nullptr, nullptr, TRUE);
}

void TForm1::CliqueColonne(int column) {
  const int shown = sorting_.CliqueColonne(column);
  // A change made by the program raises no change event of the box.
  SendMessageA(Control(kComboBoxClassement), CB_SETCURSEL, static_cast<WPARAM>(shown), 0);
}

void TForm1::ChangeClassement() {
  sorting_.ChangeClassement(static_cast<int>(SendMessageA(Control(kComboBoxClassement), CB_GETCURSEL, 0, 0)));
}

void TForm1::ButtonUninstallClick() { listCommands_.ButtonUninstallClick(); }

void TForm1::ButtonRemoveEntryClick() { listCommands_.ButtonRemoveEntryClick(); }

void TForm1::LoadAboutText() {
  const std::string text = zobl::LoadAboutText(services_.files);
  if (!SetWindowTextA(Control(kMemoAbout), text.c_str())) throw std::runtime_error("Text exceeds memo capacity");
}

void TForm1::ButtonWebVersionClick() { services_.shell.OpenAddress(WebAddress(kLatestVersionPage)); }

void TForm1::ButtonWebFAQClick() { services_.shell.OpenAddress(WebAddress(kFaqPage)); }

void TForm1::ButtonGoWebClick() { services_.shell.OpenAddress(WebAddress(kHomePage)); }

void TForm1::BitBtnAboutAuthorClick() { services_.shell.OpenAddress(WebAddress(kAuthorPage)); }

void TForm1::ButtonSupportMeClick() { services_.shell.OpenAddress(WebAddress(kSupportPage)); }

}  // namespace zobl
