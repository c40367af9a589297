#pragma once

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <functional>
#include <optional>
#include <string_view>

#include "inventory/inventory_list.h"
#include "inventory/shown_rows.h"
#include "ui/column_widths.h"
#include "platform/win32/gdi_handles.h"
#include "platform/win32/window_scale.h"

namespace zobl {

// Gives a list view in report view the inventory's six columns, titled, aligned and as
// wide as the design says at `dpi`.
void InsertListColumns(HWND control, int dpi);
// The columns' widths as the control shows them.
ColumnWidths ListColumnWidths(HWND control);

// ListViewDescription: a virtual list view showing the inventory's shown rows, in report
// view (six columns) or as large icons. The rows stay in the InventoryList; the control
// asks for each text as it paints, and its selection is kept equal to the list's. The
// control's indices are those of the shown rows. Its row pictures and columns follow the
// window's scale; widths the user set are scaled with it.
class InventoryListView final : public InventoryListObserver, private win32::WindowScale::Follower {
 public:
  // `shownCountChanged` hears whenever the count of rows shown may have changed.
  InventoryListView(InventoryList& list,
                    ShownRows& shown,
                    HWND control,
                    const win32::WindowScale& scale,
                    std::function<void()> shownCountChanged);
  ~InventoryListView() override;
  InventoryListView(const InventoryListView&) = delete;
  InventoryListView& operator=(const InventoryListView&) = delete;

  [[nodiscard]] HWND Handle() const { return control_; }
  void ShowDetails(bool details);

  // The row under a point of the screen, or nothing.
  [[nodiscard]] std::optional<std::size_t> RowAtPoint(POINT screen) const;
  // Makes the row the selected one, as a click on it does, and scrolls it into view.
  void SelectRow(std::size_t index);
  // Where the keyboard opens a row's menu: the bottom left of its label, on the screen.
  [[nodiscard]] POINT MenuPoint(std::size_t index) const;
  // Shows only the rows holding `text` (all of them for an empty one). A selected row
  // the filter hides loses its selection: what acts on the selected row acts on one shown.
  void ShowFiltered(std::string_view text);
  // Shares the list's width among the columns (ShareColumnWidths): at the start, and
  // whenever the list's size or resolution changed.
  void FitColumns();

  // Notifications from the control; returns true when the notification was this view's.
  bool OnNotify(const NMHDR& header, LRESULT& result);

  void CountChanged(std::size_t count) override;
  void RowsChanged() override;
  void RepaintSuspended() override;
  void RepaintResumed() override;

 private:
  void DpiChanged(int previousDpi) override;
  void FillDisplayInfo(NMLVDISPINFOA& info) const;
  [[nodiscard]] LRESULT FindRow(UINT flags, const char* text, int start) const;
  void FillInfoTip(NMLVGETINFOTIPA& tip) const;
  void TakeSelectionFromControl();
  void ShowListSelection();
  void ShowCountAndSelection();
  void HoldRedraw();
  // What the columns' titles and the widest date and size texts need, in the list's font.
  void MeasureColumnNeeds();

  InventoryList& list_;
  ShownRows& shown_;
  HWND control_;
  std::function<void()> shownCountChanged_;
  // The control shares its image lists (LVS_SHAREIMAGELISTS): they are ours to free.
  win32::ScopedImageList smallImages_;
  win32::ScopedImageList largeImages_;
  ColumnWidths neededWidths_{};
  ColumnWidths widthsSet_{};  // as the program last set them: any other width is the user's
  std::array<std::optional<int>, kColumnCount> userWidths_{};
  bool showingSelection_ = false;  // our own selection changes are no user's choice
  bool repaintSuspended_ = false;
  bool redrawHeld_ = false;
};

}  // namespace zobl
