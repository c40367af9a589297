// The List tab's own controls: the filter box and its count, the view mode, the sort box,
// and the Options tab's picture box.
#include <windows.h>
#include <string>

#include "inventory/shown_rows.h"
#include "mainwindow/main_window_parts.h"
#include "ui/list_sorting.h"
#include "ui/settings.h"
#include "texture/win32/texture.h"

namespace zobl {
namespace {

std::string WindowText(HWND window) {
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace

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

// The setting is written even when the picture cannot be had: it is tried again at the
// next start. Every window of the screen is erased anew, so the picture shows or goes at once.
void MainWindow::TextureToggled() {
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

}  // namespace zobl
