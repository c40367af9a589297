#include "mainwindow/inventory_list_view.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

#include "inventory/column_text.h"
#include "inventory/uninstall_key.h"
#include "ui/window_design.h"
#include "mainwindow/pictures.h"
#include "platform/utf8.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/window_dpi.h"

namespace zobl {
namespace {

int ColumnFormat(const ColumnDesign& column) {
  switch (column.alignment) {
    case ColumnDesign::Center: return LVCFMT_CENTER;
    case ColumnDesign::Right: return LVCFMT_RIGHT;
    case ColumnDesign::Left: break;
  }
  return LVCFMT_LEFT;
}

}  // namespace

void InsertListColumns(HWND control, int dpi) {
  int index = 0;
  for (const ColumnDesign& design : kListColumns) {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
    column.fmt = ColumnFormat(design);
    column.cx = ScaleToDpi(design.width, dpi);
    column.pszText = const_cast<char*>(design.title);
    column.iSubItem = index;
    SendMessageA(control, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index++), reinterpret_cast<LPARAM>(&column));
  }
}

ColumnWidths ListColumnWidths(HWND control) {
  ColumnWidths widths{};
  for (int c = 0; c < kColumnCount; ++c) {
    LVCOLUMNA column{};
    column.mask = LVCF_WIDTH;
    // Read as a column, not by LVM_GETCOLUMNWIDTH, which answers in report view only.
    if (SendMessageA(control, LVM_GETCOLUMNA, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&column))) {
      widths[c] = column.cx;
    }
  }
  return widths;
}

InventoryListView::InventoryListView(InventoryList& list,
                                     ShownRows& shown,
                                     HWND control,
                                     const win32::WindowScale& scale,
                                     std::function<void()> shownCountChanged)
    : Follower(scale),
      list_(list),
      shown_(shown),
      control_(control),
      shownCountChanged_(std::move(shownCountChanged)),
      smallImages_(CreateRowImages(scale.Pixels(16))),
      largeImages_(CreateRowImages(scale.Pixels(32))) {
  ListView_SetExtendedListViewStyle(control_, LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP | LVS_EX_INFOTIP);
  // A tip of two lines breaks only where a tooltip has a width to wrap at.
  if (const HWND tips = ListView_GetToolTips(control_)) SendMessageA(tips, TTM_SETMAXTIPWIDTH, 0, 600);
  ListView_SetImageList(control_, smallImages_.Get(), LVSIL_SMALL);
  ListView_SetImageList(control_, largeImages_.Get(), LVSIL_NORMAL);
  InsertListColumns(control_, scale.Dpi());
  widthsSet_ = ListColumnWidths(control_);
  MeasureColumnNeeds();
  list_.SetObserver(this);
  CountChanged(list_.Count());
}

InventoryListView::~InventoryListView() { list_.SetObserver(nullptr); }

void InventoryListView::MeasureColumnNeeds() {
  // Texts as wide as any the date and size columns show: the stand-ins, and a date.
  const UninstallEntry unknown;
  const std::string samples[kColumnCount][2] = {
      {}, {}, {ColumnText(unknown, kInstallDateColumn), "0000.00.00"}, {ColumnText(unknown, kSizeColumn), "unknown"},
      {}, {}};
  // The control's room around a cell's text and a title's, beside the text itself.
  const int padding = scale_.Pixels(16);
  const auto width = [this](const char* text) {
    return static_cast<int>(SendMessageA(control_, LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(text)));
  };
  for (int c = 0; c < kColumnCount; ++c) {
    int widest = width(kListColumns[c].title);
    for (const std::string& sample : samples[c]) widest = std::max(widest, width(sample.c_str()));
    neededWidths_[c] = widest + padding;
  }
}

void InventoryListView::FitColumns() {
  const ColumnWidths shown = ListColumnWidths(control_);
  for (int c = 0; c < kColumnCount; ++c) {
    if (shown[c] != widthsSet_[c]) userWidths_[c] = shown[c];  // a divider dragged
  }
  ColumnWidthRoom room;
  RECT client;
  GetClientRect(control_, &client);
  room.available = client.right;
  // The vertical scroll bar's room is kept whether it shows or not: rows coming and going
  // never make the columns too wide for the list.
  if ((GetWindowLongPtrA(control_, GWL_STYLE) & WS_VSCROLL) == 0) {
    room.available -= win32::SystemMetricForDpi(SM_CXVSCROLL, scale_.Dpi());
  }
  for (int c = 0; c < kColumnCount; ++c) room.design[c] = scale_.Pixels(kListColumns[c].width);
  room.needed = neededWidths_;
  room.userSet = userWidths_;
  widthsSet_ = ShareColumnWidths(room);
  for (int c = 0; c < kColumnCount; ++c) {
    if (widthsSet_[c] == shown[c]) continue;
    LVCOLUMNA column{};
    column.mask = LVCF_WIDTH;
    column.cx = widthsSet_[c];
    SendMessageA(control_, LVM_SETCOLUMNA, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&column));
  }
}

void InventoryListView::DpiChanged(int previousDpi) {
  win32::ScopedImageList smallImages(CreateRowImages(scale_.Pixels(16)));
  win32::ScopedImageList largeImages(CreateRowImages(scale_.Pixels(32)));
  ListView_SetImageList(control_, smallImages.Get(), LVSIL_SMALL);
  ListView_SetImageList(control_, largeImages.Get(), LVSIL_NORMAL);
  smallImages_ = std::move(smallImages);
  largeImages_ = std::move(largeImages);
  for (std::optional<int>& width : userWidths_) {
    if (width) width = ScaleRounded(*width, scale_.Dpi(), previousDpi);
  }
  MeasureColumnNeeds();
}

void InventoryListView::ShowDetails(bool details) {
  ListView_SetView(control_, details ? LV_VIEW_DETAILS : LV_VIEW_ICON);
  ShowListSelection();
}

std::optional<std::size_t> InventoryListView::RowAtPoint(POINT screen) const {
  LVHITTESTINFO hit{};
  hit.pt = screen;
  if (!ScreenToClient(control_, &hit.pt)) return std::nullopt;
  const int index = ListView_HitTest(control_, &hit);
  if (index < 0 || (hit.flags & LVHT_ONITEM) == 0 || static_cast<std::size_t>(index) >= shown_.Count()) {
    return std::nullopt;
  }
  return static_cast<std::size_t>(index);
}

void InventoryListView::SelectRow(std::size_t index) {
  if (index >= shown_.Count()) return;
  list_.Select(shown_.RowAt(index).id);
  ShowListSelection();
  ListView_EnsureVisible(control_, static_cast<int>(index), FALSE);
}

POINT InventoryListView::MenuPoint(std::size_t index) const {
  RECT label{};
  POINT point{0, 0};
  if (ListView_GetItemRect(control_, static_cast<int>(index), &label, LVIR_LABEL)) point = {label.left, label.bottom};
  ClientToScreen(control_, &point);
  return point;
}

bool InventoryListView::OnNotify(const NMHDR& header, LRESULT& result) {
  if (header.hwndFrom != control_) return false;
  result = 0;
  switch (header.code) {
    case LVN_GETDISPINFOA: FillDisplayInfo(*reinterpret_cast<NMLVDISPINFOA*>(const_cast<NMHDR*>(&header))); return true;
    case LVN_GETINFOTIPA: FillInfoTip(*reinterpret_cast<NMLVGETINFOTIPA*>(const_cast<NMHDR*>(&header))); return true;
    case LVN_ITEMCHANGED: {
      const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
      if ((change.uChanged & LVIF_STATE) != 0 && ((change.uNewState ^ change.uOldState) & LVIS_SELECTED) != 0) {
        TakeSelectionFromControl();
      }
      return true;
    }
    // A virtual list finds rows by typed letters only through its owner; Windows asks in
    // the 8-bit form, Wine's list view in the wide one.
    case LVN_ODFINDITEMA: {
      const auto& find = reinterpret_cast<const NMLVFINDITEMA&>(header);
      result = FindRow(find.lvfi.flags, find.lvfi.psz != nullptr ? find.lvfi.psz : "", find.iStart);
      return true;
    }
    case LVN_ODFINDITEMW: {
      const auto& find = reinterpret_cast<const NMLVFINDITEMW&>(header);
      const std::string text = find.lvfi.psz != nullptr ? win32::Utf8(find.lvfi.psz) : std::string();
      result = FindRow(find.lvfi.flags, text.c_str(), find.iStart);
      return true;
    }
    default: return false;
  }
}

// The index of the first row from `start` whose name begins with (or, without
// LVFI_PARTIAL, is) `text`, or -1.
LRESULT InventoryListView::FindRow(UINT flags, const char* text, int start) const {
  if ((flags & (LVFI_STRING | LVFI_PARTIAL)) == 0) return -1;
  const std::string_view wanted(text);
  const std::size_t from = start < 0 ? 0 : static_cast<std::size_t>(start);
  std::optional<std::size_t> found = shown_.FindNamePrefix(wanted, from, (flags & LVFI_WRAP) != 0);
  if (found && (flags & LVFI_PARTIAL) == 0 && SortText(shown_.RowAt(*found), kNameColumn).size() != wanted.size()) {
    found.reset();
  }
  return found ? static_cast<LRESULT>(*found) : -1;
}

void InventoryListView::FillDisplayInfo(NMLVDISPINFOA& info) const {
  LVITEMA& item = info.item;
  if (item.iItem < 0 || static_cast<std::size_t>(item.iItem) >= shown_.Count()) return;
  const UninstallEntry& row = shown_.RowAt(static_cast<std::size_t>(item.iItem));
  if ((item.mask & LVIF_TEXT) != 0 && item.pszText != nullptr && item.cchTextMax > 0) {
    const int column = std::clamp(item.iSubItem, 0, kColumnCount - 1);
    const std::string text = ColumnText(row, static_cast<ListColumn>(column));
    const std::size_t length = Utf8FitLength(text, static_cast<std::size_t>(item.cchTextMax));
    std::memcpy(item.pszText, text.data(), length);
    item.pszText[length] = '\0';
  }
  if ((item.mask & LVIF_IMAGE) != 0) item.iImage = row.statusImage;
}

// The six columns do not say which source a row comes from; its tip does, as the full
// registry path the user would look for in the registry editor, and whether the
// directory came from the descriptor's InstallLocation rather than its command.
void InventoryListView::FillInfoTip(NMLVGETINFOTIPA& tip) const {
  if (tip.pszText == nullptr || tip.cchTextMax <= 0) return;
  if (tip.iItem < 0 || static_cast<std::size_t>(tip.iItem) >= shown_.Count()) return;
  const UninstallEntry& row = shown_.RowAt(static_cast<std::size_t>(tip.iItem));
  const std::string text = RowInfoTip(row);
  // The control may hand over the label's own text to add to; the tip replaces it.
  const std::size_t length = Utf8FitLength(text, static_cast<std::size_t>(tip.cchTextMax));
  std::memcpy(tip.pszText, text.data(), length);
  tip.pszText[length] = '\0';
}

void InventoryListView::TakeSelectionFromControl() {
  if (showingSelection_) return;
  const int selected = ListView_GetNextItem(control_, -1, LVNI_SELECTED);
  if (selected >= 0 && static_cast<std::size_t>(selected) < shown_.Count()) {
    list_.Select(shown_.RowAt(static_cast<std::size_t>(selected)).id);
  } else {
    list_.ClearSelection();
  }
}

// Moves the control's selection to the list's selected row, touching only the two
// rows concerned (clearing every row's state would cost a pass over the whole list).
void InventoryListView::ShowListSelection() {
  showingSelection_ = true;
  const int shown = ListView_GetNextItem(control_, -1, LVNI_SELECTED);
  const auto selected = shown_.SelectedIndex();
  const int wanted = selected ? static_cast<int>(*selected) : -1;
  if (shown >= 0 && shown != wanted) ListView_SetItemState(control_, shown, 0, LVIS_SELECTED | LVIS_FOCUSED);
  if (wanted >= 0 && shown != wanted) {
    ListView_SetItemState(control_, wanted, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  }
  showingSelection_ = false;
}

// While repainting is suspended (a refresh adding many rows) the control hears of the
// count, the selection and the picture once, when repainting resumes; it paints
// nothing meanwhile, and a row it asks for past the list's end is left blank. Its
// redrawing is held only once something changes: the control repaints itself whole when
// redrawing is let go, and a refresh that changes nothing must cost no repaint.
void InventoryListView::CountChanged(std::size_t) {
  if (repaintSuspended_) {
    HoldRedraw();
    return;
  }
  ShowCountAndSelection();
}

void InventoryListView::HoldRedraw() {
  if (redrawHeld_) return;
  redrawHeld_ = true;
  SendMessageA(control_, WM_SETREDRAW, FALSE, 0);
}

// A shorter count can take the control's selection away; the row keeps it in the list.
void InventoryListView::ShowCountAndSelection() {
  showingSelection_ = true;
  ListView_SetItemCountEx(control_, static_cast<int>(shown_.Count()), LVSICF_NOSCROLL);
  showingSelection_ = false;
  ShowListSelection();
  if (shownCountChanged_) shownCountChanged_();
}

void InventoryListView::ShowFiltered(std::string_view text) {
  shown_.SetFilterText(text);
  if (list_.SelectedIndex() && !shown_.SelectedIndex()) list_.ClearSelection();
  ShowCountAndSelection();
  if (const auto selected = shown_.SelectedIndex())
    ListView_EnsureVisible(control_, static_cast<int>(*selected), FALSE);
  InvalidateRect(control_, nullptr, FALSE);
}

void InventoryListView::RowsChanged() {
  if (repaintSuspended_) {
    HoldRedraw();
    return;
  }
  // A renamed row may come into the filter's rows or leave them.
  if (ListView_GetItemCount(control_) != static_cast<int>(shown_.Count())) {
    ShowCountAndSelection();
  } else {
    ShowListSelection();
  }
  InvalidateRect(control_, nullptr, FALSE);
}

void InventoryListView::RepaintSuspended() { repaintSuspended_ = true; }

void InventoryListView::RepaintResumed() {
  repaintSuspended_ = false;
  if (!redrawHeld_) return;
  redrawHeld_ = false;
  ShowCountAndSelection();
  SendMessageA(control_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(control_, nullptr, TRUE);
}

}  // namespace zobl
