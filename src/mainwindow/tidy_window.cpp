#include "mainwindow/tidy_window.h"

#include <commctrl.h>
#include <oleacc.h>

#include <algorithm>
#include <span>
#include <stdexcept>
#include <string>

#include "inventory/inventory_list.h"
#include "inventory/shown_rows.h"
#include "platform/dpi.h"
#include "platform/win32/accessible_control.h"
#include "platform/shell.h"
#include "ui/event_guard.h"
#include "ui/window_design.h"
#include "ui/tidy_queue.h"

namespace zobl {
namespace {

constexpr UINT_PTR kAdvanceTimer = 1;
// How often the window looks whether the uninstaller under way has ended.
constexpr UINT kAdvancePeriodMilliseconds = 250;

constexpr char kNothingTickedText[] =
    "No program is ticked. Tick the programs to tidy (Space ticks the selected one, Ctrl+A ticks all shown) and retry.";
constexpr char kNoGoneTickedText[] =
    "None of the ticked programs is gone. Only the lines of programs that are gone (the red rows) are removed here.";
constexpr char kCloseWhileRunningText[] =
    "An uninstaller is still running.\n\nClose this window? The one under way goes on; no other starts.";
constexpr char kNoFolderLeftText[] = "Select a program that left a folder behind.";
// What screen readers call the controls whose text does not name them.
constexpr char kProgramsListName[] = "Programs";
constexpr char kSummaryListName[] = "What each program left behind";
constexpr char kUninstallingName[] = "Uninstalling";

bool KeyDown(int key) { return GetKeyState(key) < 0; }

bool IsControlKey(const MSG& message, WPARAM key) {
  return message.message == WM_KEYDOWN && message.wParam == key && KeyDown(VK_CONTROL) && !KeyDown(VK_SHIFT) &&
         !KeyDown(VK_MENU);
}

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kButton = kChild | WS_TABSTOP | BS_PUSHBUTTON;

}  // namespace

// Each control in tab order, with what a click on it does.
struct TidyWindow::ControlRow {
  TidyControlId id;
  const char* className;
  const char* text;
  DWORD style;
  long role;                 // what screen readers call its kind
  const char* readerName{};  // what they call it where its text does not name it
  void (TidyWindow::*onClick)(){};
};

std::span<const TidyWindow::ControlRow> TidyWindow::Controls() {
  static constexpr ControlRow kControls[] = {
      {kTidyHintLabel, WC_STATICA, "", kChild | SS_LEFT | SS_NOPREFIX, ROLE_SYSTEM_STATICTEXT},
      {kTidyList, WC_LISTVIEWA, "Programs",
       kChild | WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL, ROLE_SYSTEM_LIST,
       kProgramsListName},
      {kTidyQuietCheckBox, WC_BUTTONA, kQuietChoiceText, kChild | WS_TABSTOP | BS_AUTOCHECKBOX, ROLE_SYSTEM_CHECKBUTTON},
      {kTidyUninstallButton, WC_BUTTONA, "&Uninstall Ticked...", kButton, ROLE_SYSTEM_PUSHBUTTON, nullptr,
       &TidyWindow::UninstallTicked},
      {kTidyRemoveLinesButton, WC_BUTTONA, "&Remove Ticked Lines...", kButton, ROLE_SYSTEM_PUSHBUTTON, nullptr,
       &TidyWindow::RemoveTickedLines},
      {kTidyOpenFolderButton, WC_BUTTONA, "&Open Folder", kButton, ROLE_SYSTEM_PUSHBUTTON, nullptr,
       &TidyWindow::OpenLeftBehindFolder},
      {kTidyBackButton, WC_BUTTONA, "&Back to the Programs", kButton, ROLE_SYSTEM_PUSHBUTTON, nullptr,
       &TidyWindow::ShowChoices},
      {kTidyStopButton, WC_BUTTONA, "&Stop", kButton, ROLE_SYSTEM_PUSHBUTTON, nullptr, &TidyWindow::StopRun},
      {kTidyCloseButton, WC_BUTTONA, "Close", kButton, ROLE_SYSTEM_PUSHBUTTON, nullptr, &TidyWindow::Close},
      {kTidyStatusLabel, WC_STATICA, "", kChild | SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, ROLE_SYSTEM_STATICTEXT},
      {kTidyProgressBar, PROGRESS_CLASSA, "", kChild, ROLE_SYSTEM_PROGRESSBAR, kUninstallingName},
  };
  return kControls;
}

TidyWindow::~TidyWindow() {
  if (window_ != nullptr) DestroyWindow(window_);
}

void TidyWindow::Open(HWND owner, int dpi) {
  if (window_ != nullptr) {
    if (mode_ == Mode::Choosing) ListCandidates();  // the main list may have changed meanwhile
    SetForegroundWindow(window_);
    return;
  }
  scale_.Set(dpi);  // where it opens, over the owner
  const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE));
  Register(instance, kTidyWindowClass, 0, GetSysColorBrush(COLOR_BTNFACE));
  RECT ownerBox{};
  GetWindowRect(owner, &ownerBox);
  const int width = scale_.Pixels(940);
  const int height = scale_.Pixels(600);
  const HWND window =
      CreateWindowExA(WS_EX_CONTROLPARENT, kTidyWindowClass, "Tidy Several Programs",
                      WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, ownerBox.left + scale_.Pixels(40),
                      ownerBox.top + scale_.Pixels(40), width, height, owner, nullptr, instance, this);
  if (window == nullptr) throw std::runtime_error("Cannot open the window \"Tidy Several Programs\"");
  ShowWindow(window, SW_SHOWNORMAL);
  SetFocus(Control(kTidyList));
}

LRESULT TidyWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  RunEventHandler(dialogs_, [&] { result = Dispatch(message, wParam, lParam); });
  return result;
}

LRESULT TidyWindow::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: OnCreate(); return 0;
    case WM_CLOSE: OnClose(); return 0;
    case WM_DESTROY:
      timer_.Reset();
      dialogs_.SetOwner(nullptr);
      return 0;
    case WM_SIZE: Layout(); return 0;
    case WM_DPICHANGED: OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) OnCommand(LOWORD(wParam));
      return 0;
    case WM_TIMER:
      if (wParam == kAdvanceTimer) Advance();
      return 0;
    default: return DefWindowProcA(window_, message, wParam, lParam);
  }
}

void TidyWindow::OnCreate() {
  dialogs_.SetOwner(window_);
  const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window_, GWLP_HINSTANCE));
  for (const ControlRow& design : Controls()) {
    const HWND control = CreateWindowExA(0, design.className, design.text, design.style, 0, 0, 0, 0, window_,
                                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(design.id)), instance, nullptr);
    win32::ExposeToScreenReaders(control, {design.readerName != nullptr ? design.readerName : "", design.role});
  }
  SetFont();
  const HWND list = Control(kTidyList);
  ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_CHECKBOXES);
  // A run that went on while the window was closed shows again as it stands.
  if (features_.tidyQueue.Running()) {
    SetMode(Mode::Running);
  } else {
    SetMode(Mode::Choosing);
  }
}

void TidyWindow::SetFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  metrics.lfMessageFont.lfHeight = -scale_.Pixels(kDesignFontHeight);
  win32::ScopedFont font(CreateFontIndirectW(&metrics.lfMessageFont));
  for (const ControlRow& row : Controls()) {
    SendMessageA(Control(row.id), WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
  }
  font_ = std::move(font);  // the former one goes now that no control shows it
}

// The columns keep their share of the list, the user's widths among them.
void TidyWindow::OnDpiChanged(int dpi, const RECT& suggested) {
  const int previous = scale_.Dpi();
  if (!scale_.FollowScreen(window_, dpi, suggested)) return;
  SetFont();
  const HWND list = Control(kTidyList);
  const int columns = Header_GetItemCount(ListView_GetHeader(list));
  for (int c = 0; c < columns; ++c) {
    ListView_SetColumnWidth(list, c, ScaleRounded(ListView_GetColumnWidth(list, c), dpi, previous));
  }
  Layout();  // also when the window kept its size
}

void TidyWindow::OnClose() {
  if (features_.tidyQueue.Running()) {
    if (dialogs_.Show(kCloseWhileRunningText, BoxIcon::Question) != BoxAnswer::Yes) return;
    features_.tidyQueue.Stop();
  }
  DestroyWindow(window_);
}

void TidyWindow::OnCommand(int id) {
  for (const ControlRow& row : Controls()) {
    if (row.id == id && row.onClick != nullptr) return (this->*row.onClick)();
  }
}

void TidyWindow::ShowChoices() { SetMode(Mode::Choosing); }

void TidyWindow::StopRun() {
  features_.tidyQueue.Stop();
  EnableWindow(Control(kTidyStopButton), FALSE);
  SetWindowTextA(Control(kTidyHintLabel), "Stopping after the program under way.");
}

void TidyWindow::Close() { SendMessageA(window_, WM_CLOSE, 0, 0); }

// The list takes the room the others leave; the buttons stand in one row at the bottom.
void TidyWindow::Layout() {
  RECT client{};
  GetClientRect(window_, &client);
  const auto s = [this](int pixels) { return scale_.Pixels(pixels); };
  const int margin = s(8);
  const int buttonHeight = s(25);
  const int lineHeight = s(18);
  const int width = client.right - 2 * margin;
  const int buttonsTop = client.bottom - margin - buttonHeight;
  const int progressTop = buttonsTop - margin - s(16);
  const int statusTop = progressTop - s(2) - lineHeight;
  const int quietTop = statusTop - s(4) - lineHeight;
  const int listTop = margin + lineHeight + s(4);
  const auto place = [this](TidyControlId id, int left, int top, int w, int h) {
    MoveWindow(Control(id), left, top, std::max(0, w), std::max(0, h), TRUE);
  };
  place(kTidyHintLabel, margin, margin, width, lineHeight);
  place(kTidyList, margin, listTop, width, quietTop - s(4) - listTop);
  place(kTidyQuietCheckBox, margin, quietTop, width, lineHeight);
  place(kTidyStatusLabel, margin, statusTop, width, lineHeight);
  place(kTidyProgressBar, margin, progressTop, width, s(16));
  int left = margin;
  for (const auto& [id, w] : {std::pair{kTidyUninstallButton, 150}, {kTidyRemoveLinesButton, 160}}) {
    place(id, left, buttonsTop, s(w), buttonHeight);
    left += s(w) + margin;
  }
  left = margin;
  for (const auto& [id, w] : {std::pair{kTidyOpenFolderButton, 110}, {kTidyBackButton, 160}}) {
    place(id, left, buttonsTop, s(w), buttonHeight);
    left += s(w) + margin;
  }
  place(kTidyStopButton, margin, buttonsTop, s(90), buttonHeight);
  place(kTidyCloseButton, client.right - margin - s(90), buttonsTop, s(90), buttonHeight);
}

void TidyWindow::SetMode(Mode mode) {
  mode_ = mode;
  const auto show = [this](TidyControlId id, bool shown) { ShowWindow(Control(id), shown ? SW_SHOW : SW_HIDE); };
  const bool choosing = mode == Mode::Choosing;
  const bool running = mode == Mode::Running;
  const bool summary = mode == Mode::Summary;
  show(kTidyQuietCheckBox, choosing);
  show(kTidyUninstallButton, choosing);
  show(kTidyRemoveLinesButton, choosing);
  show(kTidyOpenFolderButton, summary);
  show(kTidyBackButton, summary);
  show(kTidyStopButton, running);
  show(kTidyProgressBar, running);
  show(kTidyStatusLabel, running);
  EnableWindow(Control(kTidyStopButton), TRUE);
  EnableWindow(Control(kTidyList), !running);
  ListView_SetExtendedListViewStyleEx(Control(kTidyList), LVS_EX_CHECKBOXES, choosing ? LVS_EX_CHECKBOXES : 0);
  // The list holds the programs to choose from, then what became of them.
  win32::ExposeToScreenReaders(Control(kTidyList), {summary ? kSummaryListName : kProgramsListName, ROLE_SYSTEM_LIST});
  if (choosing) {
    ListCandidates();
  } else if (running) {
    SetWindowTextA(Control(kTidyHintLabel), "Each uninstaller is waited for, with every program it started.");
    SendMessageA(Control(kTidyProgressBar), PBM_SETRANGE32, 0, static_cast<LPARAM>(features_.tidyQueue.Total()));
    ShowProgress();
    timer_ = win32::ScopedWindowTimer(window_, kAdvanceTimer, kAdvancePeriodMilliseconds);
  } else {
    timer_.Reset();
    ListResults();
  }
  Layout();
  if (!running) SetFocus(Control(kTidyList));
}

void TidyWindow::SetColumns(const std::vector<const char*>& titles, const std::vector<int>& widths) {
  const HWND list = Control(kTidyList);
  ListView_DeleteAllItems(list);
  while (ListView_DeleteColumn(list, 0)) {
  }
  for (std::size_t i = 0; i < titles.size(); ++i) {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<char*>(titles[i]);
    column.cx = scale_.Pixels(widths[i]);
    SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
  }
}

namespace {

void AddRow(HWND list, std::size_t index, const std::vector<std::string>& texts) {
  LVITEMA item{};
  item.mask = LVIF_TEXT | LVIF_PARAM;
  item.iItem = static_cast<int>(index);
  item.lParam = static_cast<LPARAM>(index);
  item.pszText = const_cast<char*>(texts[0].c_str());
  const int at = static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
  for (std::size_t column = 1; column < texts.size(); ++column) {
    LVITEMA cell{};
    cell.iSubItem = static_cast<int>(column);
    cell.pszText = const_cast<char*>(texts[column].c_str());
    SendMessageA(list, LVM_SETITEMTEXTA, at, reinterpret_cast<LPARAM>(&cell));
  }
}

}  // namespace

void TidyWindow::ListCandidates() {
  candidates_ = TidyCandidates(features_.shownRows, features_.tidyQueue);
  SetColumns({"Name", "Size", "Gone", "Quiet uninstall"}, {380, 130, 70, 170});
  const HWND list = Control(kTidyList);
  for (std::size_t i = 0; i < candidates_.size(); ++i) {
    const TidyCandidate& candidate = candidates_[i];
    AddRow(list, i,
           {candidate.name, candidate.sizeText, candidate.gone ? "gone" : "", candidate.quietCommand ? "offered" : ""});
  }
  if (!candidates_.empty()) ListView_SetItemState(list, 0, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
  std::string hint = "Tick the programs to tidy: Space ticks the selected one, Ctrl+A ticks all shown.";
  if (features_.shownRows.Filtering())
    hint += " The main list's filter shows " + ShownCountText(features_.shownRows) + ".";
  SetWindowTextA(Control(kTidyHintLabel), hint.c_str());
}

void TidyWindow::ListResults() {
  SetColumns({"Program", "Outcome", "Left behind", "Size"}, {250, 230, 300, 100});
  const HWND list = Control(kTidyList);
  const std::vector<TidyResult>& results = features_.tidyQueue.Results();
  for (std::size_t i = 0; i < results.size(); ++i) {
    AddRow(list, i,
           {results[i].name, TidyOutcomeText(results[i]), LeftBehindText(results[i]), LeftBehindSizeText(results[i])});
  }
  if (!results.empty()) ListView_SetItemState(list, 0, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
  SetWindowTextA(Control(kTidyHintLabel), "What became of each program (Ctrl+C copies this summary):");
}

void TidyWindow::ShowProgress() {
  const TidyQueue& queue = features_.tidyQueue;
  SendMessageA(Control(kTidyProgressBar), PBM_SETPOS, queue.Results().size(), 0);
  SetWindowTextA(Control(kTidyStatusLabel), queue.ProgressText().c_str());
}

void TidyWindow::Advance() {
  if (window_ == nullptr || mode_ != Mode::Running) return;
  const bool running = features_.tidyQueue.Advance();
  // Measuring what a program left behind runs the message loop: the window may have gone.
  if (window_ == nullptr) return;
  if (running) {
    ShowProgress();
  } else {
    SetMode(Mode::Summary);
  }
}

std::vector<std::size_t> TidyWindow::TickedCandidates() const {
  std::vector<std::size_t> ticked;
  const HWND list = Control(kTidyList);
  const int count = ListView_GetItemCount(list);
  for (int i = 0; i < count; ++i) {
    if (!ListView_GetCheckState(list, i)) continue;
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = i;
    SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    ticked.push_back(static_cast<std::size_t>(item.lParam));
  }
  return ticked;
}

void TidyWindow::TickAllShown() {
  const HWND list = Control(kTidyList);
  const int count = ListView_GetItemCount(list);
  for (int i = 0; i < count; ++i) ListView_SetCheckState(list, i, TRUE);
}

bool TidyWindow::IsChecked(TidyControlId id) const {
  return SendMessageA(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TidyWindow::UninstallTicked() {
  const std::vector<std::size_t> ticked = TickedCandidates();
  if (ticked.empty()) {
    dialogs_.Show(kNothingTickedText, BoxIcon::Information);
    return;
  }
  const bool quietly = IsChecked(kTidyQuietCheckBox);
  // Copied before the question: a refresh may run while it is on screen.
  std::vector<std::string> names;
  std::vector<TidyProgram> programs;
  for (const std::size_t index : ticked) {
    const TidyCandidate& candidate = candidates_[index];
    if (const UninstallEntry* row = features_.list.Find(candidate.id)) {
      names.push_back(candidate.name);
      programs.push_back(TidyProgramOf(*row, candidate.quietCommand));
    }
  }
  if (dialogs_.Show(TidyUninstallQuestion(names, quietly), BoxIcon::Question) != BoxAnswer::Yes) return;
  features_.tidyQueue.Begin(std::move(programs), quietly);
  SetMode(features_.tidyQueue.Running() ? Mode::Running : Mode::Summary);
}

void TidyWindow::RemoveTickedLines() {
  std::vector<std::string> names;
  std::vector<TidyProgram> programs;
  for (const std::size_t index : TickedCandidates()) {
    const TidyCandidate& candidate = candidates_[index];
    if (!candidate.gone) continue;
    if (const UninstallEntry* row = features_.list.Find(candidate.id)) {
      names.push_back(candidate.name);
      programs.push_back(TidyProgramOf(*row, std::nullopt));
    }
  }
  if (programs.empty()) {
    dialogs_.Show(kNoGoneTickedText, BoxIcon::Information);
    return;
  }
  if (dialogs_.Show(TidyRemoveQuestion(names), BoxIcon::Question) != BoxAnswer::Yes) return;
  features_.tidyQueue.RemoveLines(programs);
  if (window_ != nullptr) SetMode(Mode::Summary);
}

void TidyWindow::OpenLeftBehindFolder() {
  const int selected = ListView_GetNextItem(Control(kTidyList), -1, LVNI_SELECTED);
  const std::vector<TidyResult>& results = features_.tidyQueue.Results();
  if (selected < 0 || static_cast<std::size_t>(selected) >= results.size() || !results[selected].leftBehind) {
    dialogs_.Show(kNoFolderLeftText, BoxIcon::Information);
    return;
  }
  const std::string& folder = *results[selected].leftBehind;
  if (!services_.shell.OpenFolder(folder))
    throw std::runtime_error("The folder \"" + folder + "\" could not be opened");
}

void TidyWindow::CopySummary() {
  if (!services_.clipboard.PutText(TidySummaryCopyText(features_.tidyQueue.Results()))) {
    throw std::runtime_error("The summary could not be copied to the clipboard");
  }
}

bool TidyWindow::PreTranslateMessage(MSG& message) {
  if (window_ == nullptr || (message.hwnd != window_ && !IsChild(window_, message.hwnd))) return false;
  bool used = false;
  RunEventHandler(dialogs_, [&] {
    if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) {
      // Escape stops a run after the program under way; otherwise it closes the window.
      if (mode_ == Mode::Running) {
        StopRun();
      } else {
        SendMessageA(window_, WM_CLOSE, 0, 0);
      }
      used = true;
      return;
    }
    if (IsControlKey(message, 'A') && mode_ == Mode::Choosing) {
      TickAllShown();
      used = true;
      return;
    }
    if (IsControlKey(message, 'C') && mode_ == Mode::Summary) {
      CopySummary();
      used = true;
      return;
    }
    used = IsDialogMessageA(window_, &message) != 0;
  });
  return used;
}

}  // namespace zobl
