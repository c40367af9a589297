#pragma once

#include <windows.h>
#include <commctrl.h>

#include <optional>

#include "inventory/inventory_list.h"
#include "platform/win32/gdi_handles.h"

namespace zobl {

// Gives a list view in report view the inventory's six columns, titled, aligned and as
// wide as the design says at `dpi`.
void InsertListColumns(HWND control, int dpi);

// ListViewDescription: a virtual list view showing the inventory, in report view (six
// columns) or as large icons. The rows stay in the InventoryList; the control asks for
// each text as it paints, and its selection is kept equal to the list's.
class InventoryListView final : public InventoryListObserver {
 public:
  InventoryListView(InventoryList& list, HWND control, int dpi);
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

  // Notifications from the control; returns true when the notification was this view's.
  bool OnNotify(const NMHDR& header, LRESULT& result);

  void CountChanged(std::size_t count) override;
  void RowsChanged() override;
  void RepaintSuspended() override;
  void RepaintResumed() override;

 private:
  void FillDisplayInfo(NMLVDISPINFOA& info) const;
  [[nodiscard]] LRESULT FindRow(UINT flags, const char* text, int start) const;
  void FillInfoTip(NMLVGETINFOTIPA& tip) const;
  void TakeSelectionFromControl();
  void ShowListSelection();
  void ShowCountAndSelection();
  void HoldRedraw();

  InventoryList& list_;
  HWND control_;
  // The control shares its image lists (LVS_SHAREIMAGELISTS): they are ours to free.
  win32::ScopedImageList smallImages_;
  win32::ScopedImageList largeImages_;
  bool showingSelection_ = false;  // our own selection changes are no user's choice
  bool repaintSuspended_ = false;
  bool redrawHeld_ = false;
};

}  // namespace zobl
