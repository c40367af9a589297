#include "mainwindow/main_window_controls.h"

#include <commctrl.h>
#include <oleacc.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>

#include "mainwindow/control_wrappers.h"
#include "mainwindow/pictures.h"
#include "platform/win32/accessible_control.h"
#include "platform/win32/wide_text.h"
#include "ui/screen_reader_names.h"

namespace zobl {
namespace {

constexpr char kTabSheetClass[] = "ZoblTabSheet";

HFONT MakeFont(int designHeight,
               int dpi,
               int weight,
               bool italic,
               bool underlined = false,
               const char* face = "MS Sans Serif") {
  const int height = FontHeightToDpi(designHeight, dpi);
  return CreateFontA(-height, 0, 0, 0, weight, italic, underlined, FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, face);
}

std::size_t PageIndex(WindowPage page) {
  return static_cast<std::size_t>(static_cast<int>(page) - static_cast<int>(WindowPage::List));
}

struct WindowClassAndStyle {
  const char* className;
  DWORD style;
  DWORD exStyle;
};

WindowClassAndStyle ClassAndStyle(const ControlDesign& design) {
  constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
  switch (design.kind) {
    case ControlKind::Button: return {"BUTTON", kChild | WS_TABSTOP | BS_PUSHBUTTON, 0};
    case ControlKind::CheckBox: return {"BUTTON", kChild | WS_TABSTOP | BS_AUTOCHECKBOX, 0};
    case ControlKind::PictureButton: return {"BUTTON", kChild | WS_TABSTOP | BS_PUSHBUTTON | BS_LEFT, 0};
    case ControlKind::Label: {
      const DWORD alignment = design.alignment == TextAlignment::Center  ? SS_CENTER
                              : design.alignment == TextAlignment::Right ? SS_RIGHT
                                                                         : SS_LEFT;
      return {"STATIC", kChild | SS_NOPREFIX | SS_NOTIFY | alignment, 0};
    }
    case ControlKind::Memo:
      return {"EDIT", kChild | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::ComboBox: return {WC_COMBOBOXA, kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0};
    case ControlKind::Edit: return {"EDIT", kChild | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::ListView:
      return {WC_LISTVIEWA,
              kChild | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_AUTOARRANGE |
                  LVS_SHAREIMAGELISTS,
              WS_EX_CLIENTEDGE};
    case ControlKind::ProgressBar: return {PROGRESS_CLASSA, WS_CHILD, 0};  // hidden until sizes are computed
    case ControlKind::ToolBar:
      return {TOOLBARCLASSNAMEA,
              kChild | WS_TABSTOP | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS,
              0};
    case ControlKind::PageControl:
      return {WC_TABCONTROLA, kChild | WS_TABSTOP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT};
  }
  throw std::logic_error("unknown control kind");
}

struct ToolButton {
  ControlId id;
  const char* hint;
  ControlAction action;
};
constexpr ToolButton kToolButtons[] = {{kToolButtonDetails, "Display Details", &ControlActions::ShowDetails},
                                       {kToolButtonIcons, "Show Icons", &ControlActions::ShowIcons},
                                       {kToolButtonPrint, "Print the list", &ControlActions::PrintList},
                                       {kToolButtonTidy, "Tidy Several Programs (Ctrl+U)", &ControlActions::OpenTidyWindow}};

// What a control tells its parent when the user acts on it; -1 for controls that tell nothing.
int UsedNotification(ControlKind kind) {
  switch (kind) {
    case ControlKind::Button:
    case ControlKind::PictureButton:
    case ControlKind::CheckBox: return BN_CLICKED;
    case ControlKind::Label: return STN_CLICKED;
    case ControlKind::ComboBox: return CBN_SELCHANGE;
    case ControlKind::Edit: return EN_CHANGE;
    default: return -1;
  }
}

// The role the system gives each kind of control on Windows; Wine's objects call most of
// them "client".
long ScreenReaderRole(const ControlDesign& design) {
  switch (design.kind) {
    case ControlKind::Button:
    case ControlKind::PictureButton: return ROLE_SYSTEM_PUSHBUTTON;
    case ControlKind::CheckBox: return ROLE_SYSTEM_CHECKBUTTON;
    case ControlKind::Label: return design.id == kWebSiteLink ? ROLE_SYSTEM_LINK : ROLE_SYSTEM_STATICTEXT;
    case ControlKind::Memo:
    case ControlKind::Edit: return ROLE_SYSTEM_TEXT;
    case ControlKind::ComboBox: return ROLE_SYSTEM_COMBOBOX;
    case ControlKind::ListView: return ROLE_SYSTEM_LIST;
    case ControlKind::ProgressBar: return ROLE_SYSTEM_PROGRESSBAR;
    case ControlKind::ToolBar: return ROLE_SYSTEM_TOOLBAR;
    case ControlKind::PageControl: return ROLE_SYSTEM_PAGETABLIST;
  }
  return 0;
}

// The tool bar's buttons show pictures and tell their texts as tooltips: the bar is named
// by those texts.
std::string ToolBarName() {
  std::string name;
  for (const ToolButton& button : kToolButtons) name += (name.empty() ? "" : ", ") + std::string(button.hint);
  return name;
}

// The list's header, which the list makes itself, is named by the column titles on it.
void NameListHeader(HWND list) {
  std::string name;
  for (const ColumnDesign& column : kListColumns) name += (name.empty() ? "" : ", ") + std::string(column.title);
  win32::ExposeToScreenReaders(ListView_GetHeader(list), {name, ROLE_SYSTEM_LIST});
}

}  // namespace

ControlAction ActionOf(int id, int notification) {
  for (const ToolButton& button : kToolButtons) {
    if (button.id == id) return notification == BN_CLICKED ? button.action : nullptr;
  }
  for (const ControlDesign& design : DesignedControls()) {
    if (design.id == id) return notification == UsedNotification(design.kind) ? design.action : nullptr;
  }
  return nullptr;
}

WindowFonts::WindowFonts(int dpi)
    : normal(MakeFont(kDesignFontHeight, dpi, FW_NORMAL, false)),
      minorAction(MakeFont(kDesignLargeFontHeight, dpi, FW_NORMAL, true)),
      mainAction(MakeFont(kDesignLargeFontHeight, dpi, FW_BOLD, false)),
      linksHeading(MakeFont(kDesignLargeFontHeight, dpi, FW_BOLD, false, true)),
      aboutTitle(MakeFont(45, dpi, FW_NORMAL, false, false, "Arial")),
      aboutVersion(MakeFont(33, dpi, FW_NORMAL, false, false, "Arial")) {}

HFONT WindowFonts::Get(FontKind kind) const {
  switch (kind) {
    case FontKind::MinorAction: return minorAction.Get();
    case FontKind::MainAction: return mainAction.Get();
    case FontKind::LinksHeading: return linksHeading.Get();
    case FontKind::AboutTitle: return aboutTitle.Get();
    case FontKind::AboutVersion: return aboutVersion.Get();
    case FontKind::Normal: break;
  }
  return normal.Get();
}

TabSheet::TabSheet(HWND pageControl, HINSTANCE instance, const char* caption, Owner& owner) : owner_(owner) {
  Register(instance, kTabSheetClass, 0, GetSysColorBrush(COLOR_BTNFACE));
  CreateWindowExA(WS_EX_CONTROLPARENT, kTabSheetClass, caption, WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 0,
                  0, pageControl, nullptr, instance, this);
  if (window_ == nullptr) throw std::runtime_error("Cannot create the tab pages");
}

TabSheet::~TabSheet() {
  if (window_ != nullptr) DestroyWindow(window_);
}

MainWindowControls::MainWindowControls(HWND window, HINSTANCE instance, const win32::WindowScale& scale, TabSheet::Owner& pageOwner)
    : Follower(scale), window_(window), instance_(instance), fonts_(scale.Dpi()) {
  tooltip_ =
      CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, instance_, nullptr);
  SendMessageA(tooltip_, TTM_SETMAXTIPWIDTH, 0, scale_.Pixels(400));
  SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.normal.Get()), FALSE);

  for (const ControlDesign& design : DesignedControls()) {
    const HWND parent = design.page == WindowPage::Window ? window_ : Page(design.page);
    const HWND control = Create(design, parent);
    controls_[design.id] = control;
    if (design.kind == ControlKind::PageControl) CreatePages(control, pageOwner);
  }
}

// The page control takes its pages and their controls with it. The tooltip, which the
// window owns, is gone already when the window is.
MainWindowControls::~MainWindowControls() {
  for (const ControlDesign& design : DesignedControls()) {
    if (design.page == WindowPage::Window) DestroyWindow(controls_.at(design.id));
  }
  if (IsWindow(tooltip_)) DestroyWindow(tooltip_);
}

HWND MainWindowControls::Get(ControlId id) const { return controls_.at(id); }

HWND MainWindowControls::Page(WindowPage page) const { return pages_.at(PageIndex(page))->Handle(); }

void MainWindowControls::ShowPage(WindowPage page) const {
  TabControl(Get(kPageControl)).SetSilently(static_cast<int>(PageIndex(page)));
  for (std::size_t i = 0; i < pages_.size(); ++i) {
    ShowWindow(pages_[i]->Handle(), i == PageIndex(page) ? SW_SHOW : SW_HIDE);
  }
}

RECT MainWindowControls::DesignPlace(const ControlDesign& design, HFONT font) const {
  DesignRect bounds = ScaleToDpi(design.bounds, scale_.Dpi());
  if (design.kind == ControlKind::Label && design.bounds.width == 0) {
    const SIZE text = TextSize(design.caption, font, 0);
    bounds.width = text.cx;
    bounds.height = text.cy;
  } else if (design.kind == ControlKind::Label) {
    bounds.height = std::max(bounds.height, static_cast<int>(TextSize(design.caption, font, bounds.width).cy));
  } else if (design.kind == ControlKind::ComboBox) {
    bounds.height = scale_.Pixels(200);  // room for the drop-down list
  }
  return RECT{bounds.left, bounds.top, bounds.left + bounds.width, bounds.top + bounds.height};
}

HWND MainWindowControls::Create(const ControlDesign& design, HWND parent) {
  const auto [className, style, exStyle] = ClassAndStyle(design);
  const HFONT font = fonts_.Get(design.font);
  const RECT place = DesignPlace(design, font);
  const HWND control = CreateWindowExA(exStyle, className, design.caption, style, place.left, place.top,
                                       place.right - place.left, place.bottom - place.top, parent,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(design.id)), instance_, nullptr);
  if (control == nullptr) throw std::runtime_error(std::string("Cannot create ") + design.name);
  designPlaces_[design.id] = place;
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (design.kind == ControlKind::ToolBar) SetUpToolBar(control);
  if (design.kind == ControlKind::ComboBox) SetUpComboBox(control);
  if (design.kind == ControlKind::Edit) {
    // The box's caption, shown inside it while it is empty and has not the focus.
    SendMessageW(control, EM_SETCUEBANNER, FALSE, reinterpret_cast<LPARAM>(win32::Wide(kFilterCue).c_str()));
  }
  if (design.kind == ControlKind::ProgressBar) {
    SendMessageA(control, PBM_SETRANGE32, 0, 100);
    SendMessageA(control, PBM_SETSTEP, 1, 0);
  }
  if (design.kind == ControlKind::PictureButton) SetAuthorPicture(control);
  if (!design.enabled) EnableWindow(control, FALSE);
  if (design.checked) CheckBox(control).SetSilently(true);
  if (design.hint != nullptr) AddHint(control, design.hint);
  const std::string name = design.kind == ControlKind::ToolBar ? ToolBarName() : ScreenReaderName(design.id);
  win32::ExposeToScreenReaders(control, {name, ScreenReaderRole(design)});
  if (design.kind == ControlKind::ListView) NameListHeader(control);
  return control;
}

// The tabs' room around their captions grows with the screen's resolution, as the captions do.
void MainWindowControls::SetTabPadding(HWND pageControl) const {
  SendMessageA(pageControl, TCM_SETPADDING, 0, MAKELPARAM(scale_.Pixels(8), scale_.Pixels(4)));
}

void MainWindowControls::CreatePages(HWND pageControl, TabSheet::Owner& pageOwner) {
  SetTabPadding(pageControl);
  for (int i = 0; i < static_cast<int>(std::size(kPageCaptions)); ++i) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(kPageCaptions[i]);
    SendMessageA(pageControl, TCM_INSERTITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
  }
  for (std::size_t i = 0; i < pages_.size(); ++i) {
    pages_[i] = std::make_unique<TabSheet>(pageControl, instance_, kPageCaptions[i], pageOwner);
    win32::ExposeToScreenReaders(pages_[i]->Handle(), {"", ROLE_SYSTEM_PROPERTYPAGE});  // named by its caption
  }
  PlacePages();
}

// The pages fill the page control's display area, whatever its size.
void MainWindowControls::PlacePages() const {
  const HWND pageControl = Get(kPageControl);
  RECT display;
  GetClientRect(pageControl, &display);
  TabCtrl_AdjustRect(pageControl, FALSE, &display);
  for (const auto& page : pages_) {
    SetWindowPos(page->Handle(), nullptr, display.left, display.top, display.right - display.left,
                 display.bottom - display.top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void MainWindowControls::Layout(SIZE extra, POINT scroll) {
  const LONG dx = std::max(extra.cx, 0L);
  const LONG dy = std::max(extra.cy, 0L);
  // The About page paints its panel's frames where the panel is: all of it anew when it moved.
  if (dx != extra_.cx) InvalidateRect(Page(WindowPage::About), nullptr, TRUE);
  extra_ = {dx, dy};
  for (const ControlDesign& design : DesignedControls()) {
    RECT place = designPlaces_.at(design.id);
    if (design.anchor & kMoveRight) OffsetRect(&place, dx, 0);
    if (design.anchor & kMoveDown) OffsetRect(&place, 0, dy);
    if (design.anchor & kGrowRight) place.right += dx;
    if (design.anchor & kGrowDown) place.bottom += dy;
    // Scrolling moves the window's own controls; those on a page move with the page.
    if (design.page == WindowPage::Window) OffsetRect(&place, -scroll.x, -scroll.y);
    SetWindowPos(Get(design.id), nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
  }
  PlacePages();
}

void MainWindowControls::DpiChanged(int /*previousDpi*/) {
  WindowFonts fonts(scale_.Dpi());
  SendMessageA(tooltip_, TTM_SETMAXTIPWIDTH, 0, scale_.Pixels(400));
  SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.normal.Get()), FALSE);
  for (const ControlDesign& design : DesignedControls()) {
    const HFONT font = fonts.Get(design.font);
    SendMessageA(Get(design.id), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    designPlaces_[design.id] = DesignPlace(design, font);
    if (design.kind == ControlKind::ToolBar) SetToolBarPictures(Get(design.id));
    if (design.kind == ControlKind::PictureButton) SetAuthorPicture(Get(design.id));
    if (design.kind == ControlKind::PageControl) SetTabPadding(Get(design.id));
  }
  fonts_ = std::move(fonts);  // the former fonts go now that no control shows them
}

// The pictures are made for the resolution; the former ones go once the control shows the new.
void MainWindowControls::SetAuthorPicture(HWND button) {
  win32::ScopedIcon picture(CreateAuthorIcon(scale_.Pixels(32)));
  SendMessageA(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(picture.Get()));
  authorPicture_ = std::move(picture);
}

void MainWindowControls::SetToolBarPictures(HWND toolBar) {
  win32::ScopedImageList pictures(CreateToolBarImages(scale_.Pixels(16)));
  SendMessageA(toolBar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(pictures.Get()));
  toolBarImages_ = std::move(pictures);
  const int side = scale_.Pixels(25);
  SendMessageA(toolBar, TB_SETBUTTONSIZE, 0, MAKELPARAM(side, side));
}

void MainWindowControls::SetUpToolBar(HWND toolBar) {
  SendMessageA(toolBar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  // Button texts serve as tooltips only (no text rows), so readers of the screen get them too.
  SendMessageA(toolBar, TB_SETMAXTEXTROWS, 0, 0);
  TBBUTTON buttons[std::size(kToolButtons)]{};
  for (std::size_t i = 0; i < std::size(kToolButtons); ++i) {
    buttons[i].iBitmap = static_cast<int>(i);
    buttons[i].idCommand = kToolButtons[i].id;
    buttons[i].fsState = TBSTATE_ENABLED;
    buttons[i].fsStyle = BTNS_BUTTON;
    buttons[i].iString = reinterpret_cast<INT_PTR>(kToolButtons[i].hint);
  }
  SendMessageA(toolBar, TB_ADDBUTTONSA, std::size(buttons), reinterpret_cast<LPARAM>(buttons));
  SetToolBarPictures(toolBar);
}

void MainWindowControls::SetUpComboBox(HWND combo) {
  for (const char* item : kSortComboItems) SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  ComboBox(combo).SetSilently(-1);  // nothing chosen at start
}

void MainWindowControls::AddHint(HWND control, const char* hint) {
  TTTOOLINFOA tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = GetParent(control);
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = const_cast<char*>(hint);
  SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

// Measured as the label itself draws its text: on one line, or wrapped at `wrapWidth`.
SIZE MainWindowControls::TextSize(const char* text, HFONT font, int wrapWidth) const {
  const win32::ScopedWindowDc dc(window_);
  const win32::ScopedSelectObject selected(dc.Get(), font);
  RECT box{0, 0, wrapWidth, 0};
  const std::wstring wide = win32::Wide(text);  // UTF-8, which DrawTextA would read in the system's code page
  DrawTextW(dc.Get(), wide.c_str(), -1, &box, DT_CALCRECT | DT_NOPREFIX | (wrapWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE));
  return SIZE{box.right - box.left, box.bottom - box.top};
}

}  // namespace zobl
