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
  Shown(MainWindow& mainWindow, HINSTANCE instance)
      : controls(mainWindow.window_, instance, mainWindow.scale_, mainWindow),
        namelessLines(controls.Get(kNamelessLinesCheckBox)),
        textured(controls.Get(kTextureCheckBox)),
        sortBox(controls.Get(kSortByCombo)),
        tabs(controls.Get(kPageControl)),
        progress(mainWindow.window_, controls.Get(kComputeSizesButton), controls.Get(kComputeProgressBar)),
        scroll(mainWindow.window_, mainWindow.scale_, {kDesignWidth, kDesignHeight}),
        listView(mainWindow.features_.list,
                 mainWindow.features_.shownRows,
                 controls.Get(kInventoryListView),
                 mainWindow.scale_,
                 [&mainWindow] {
                   if (mainWindow.shown_) mainWindow.ShowShownCount();
                 }),
        keyboard(mainWindow.window_,
                 controls.Get(kPageControl),
                 controls.Get(kToolBar),
                 [&mainWindow](int step) { mainWindow.SwitchTab(step); }),
        pieChart(controls.Page(WindowPage::Pie),
               instance,
               mainWindow.scale_,
               mainWindow.features_.pieSeries,
               win32::UserNumberSeparators()) {}

  MainWindowControls controls;
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
