#pragma once

// The window's parts, which the files of MainWindow's members share; no other file
// includes this.
#include "mainwindow/control_wrappers.h"
#include "mainwindow/design_scroll.h"
#include "mainwindow/inventory_list_view.h"
#include "mainwindow/keyboard_navigation.h"
#include "mainwindow/main_window.h"
#include "mainwindow/run_progress.h"
#include "platform/win32/win32_number_separators.h"
#include "ui/event_guard.h"

namespace zobl {

// The window's parts. The views go before the controls they show, the controls before
// the fonts and pictures they use. Those following the window's scale hear of a change in
// the order they stand here: the controls' new fonts first, which the list measures.
struct MainWindow::Shown {
  Shown(MainWindow& form, HINSTANCE instance)
      : controls(form.window_, instance, form.scale_, form),
        namelessLines(controls.Get(kNamelessLinesCheckBox)),
        textured(controls.Get(kBackgroundPictureCheckBox)),
        sortBox(controls.Get(kSortByCombo)),
        tabs(controls.Get(kPageControl)),
        progress(form.window_, controls.Get(kComputeSizesButton), controls.Get(kComputeProgressBar)),
        scroll(form.window_, form.scale_, {kDesignWidth, kDesignHeight}),
        listView(form.features_.list,
                 form.features_.shownRows,
                 controls.Get(kInventoryListView),
                 form.scale_,
                 [&form] {
                   if (form.shown_) form.ShowShownCount();
                 }),
        keyboard(form.window_,
                 controls.Get(kPageControl),
                 controls.Get(kToolBar),
                 [&form](int step) { form.SwitchTab(step); }),
        pieChart(controls.Page(FormPage::Pie),
               instance,
               form.scale_,
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

// Calls the system makes outside the window procedure (the refresh timer's ticks, the
// message loops' key handler) come through here: they reach the window only while it has
// its controls, and a failure is shown as the window procedure shows one.
template <typename Handler>
void MainWindow::FromOutside(Handler&& handler) {
  if (shown_) RunEventHandler(services_.dialogs, std::forward<Handler>(handler));
}

}  // namespace zobl
