#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include <gtest/gtest.h>

#include "gui_support.h"
#include "mainwindow/app_composition.h"
#include "mainwindow/system_services.h"
#include "mainwindow/main_window.h"

namespace zobl::testing {
namespace {

RECT PlaceInParent(HWND control) {
  RECT box;
  GetWindowRect(control, &box);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&box), 2);
  return box;
}

// Literal pixels: each of the design's left, top, width and height is scaled from 120 dpi
// and rounded on its own, halves away from zero. The window is restored, smaller than the
// design, so that nothing grows.
void ExpectDesignPlaces(const MainWindow& mainWindow, int dpi) {
  struct Expected {
    ControlId id;
    RECT at96, at120, at144;
  };
  for (const Expected& e :
       {Expected{kPageControl, {2, -1, 627, 405}, {2, -1, 783, 506}, {2, -1, 939, 607}},
        Expected{kInventoryListView, {0, 30, 616, 333}, {0, 37, 770, 416}, {0, 44, 924, 499}},
        Expected{kUninstallButton, {421, 334, 609, 354}, {526, 417, 761, 442}, {631, 500, 913, 530}},
        Expected{kQuitButton, {502, 406, 623, 426}, {628, 508, 779, 533}, {754, 610, 935, 640}},
        Expected{kToolBar, {4, 0, 225, 27}, {5, 0, 281, 34}, {6, 0, 337, 41}},
        Expected{kFilterBox, {523, 10, 613, 28}, {654, 12, 766, 34}, {785, 14, 919, 40}}}) {
    const RECT& expected = dpi == 96 ? e.at96 : dpi == 120 ? e.at120 : e.at144;
    const RECT actual = PlaceInParent(mainWindow.Control(e.id));
    EXPECT_TRUE(EqualRect(&actual, &expected)) << ControlById(e.id).name << " at " << dpi << " dpi: " << actual.left
                                               << "," << actual.top << "," << actual.right << "," << actual.bottom;
  }
  const RECT sorting = PlaceInParent(mainWindow.Control(kSortHintLabel));  // a label is as large as its text
  EXPECT_EQ(sorting.left, dpi == 96 ? 336 : dpi == 120 ? 420 : 504);
  EXPECT_EQ(sorting.top, dpi == 96 ? 13 : dpi == 120 ? 16 : 19);
}

// Pictures drawn for 120 dpi keep their size against the text; captions stay whole.
// (The author's picture is not checked here: this test program runs without the
// program's manifest, so its buttons are the older kind, which show no picture beside text.)
void ExpectPicturesAndCaptions(const MainWindow& mainWindow, int dpi) {
  const struct {
    int toolBar, smallRow, largeRow, author;
  } expected = dpi == 96    ? decltype(expected){13, 13, 26, 26}
               : dpi == 144 ? decltype(expected){19, 19, 38, 38}
                            : decltype(expected){16, 16, 32, 32};
  const auto side = [](HIMAGELIST list) {
    int cx = 0, cy = 0;
    ImageList_GetIconSize(list, &cx, &cy);
    return cx == cy ? cx : -1;
  };
  EXPECT_EQ(side(reinterpret_cast<HIMAGELIST>(SendMessageA(mainWindow.Control(kToolBar), TB_GETIMAGELIST, 0, 0))),
            expected.toolBar);
  EXPECT_EQ(side(ListView_GetImageList(mainWindow.Control(kInventoryListView), LVSIL_SMALL)), expected.smallRow);
  EXPECT_EQ(side(ListView_GetImageList(mainWindow.Control(kInventoryListView), LVSIL_NORMAL)), expected.largeRow);

  for (const ControlDesign& design : DesignedControls()) {
    if (design.kind != ControlKind::Button && design.kind != ControlKind::PictureButton) continue;
    const HWND button = mainWindow.Control(design.id);
    const HDC dc = GetDC(button);
    const HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(button, WM_GETFONT, 0, 0)));
    SIZE text{};
    GetTextExtentPoint32A(dc, design.caption, static_cast<int>(strlen(design.caption)), &text);
    SelectObject(dc, previous);
    ReleaseDC(button, dc);
    RECT client;
    GetClientRect(button, &client);
    const int picture = design.kind == ControlKind::PictureButton ? expected.author : 0;
    // A frame and a focus rectangle each side.
    EXPECT_LE(text.cx + picture + 6, client.right) << design.name << " at " << dpi << " dpi";
    EXPECT_LE(text.cy + 4, client.bottom) << design.name << " at " << dpi << " dpi";
  }
}

class LayoutTest : public ::testing::TestWithParam<int> {
 protected:
  ScopedWorkingDirectory workingDirectory_;
  SystemServices system_;
};

TEST_P(LayoutTest, ControlsStandWhereTheDesignPutsThemScaledToTheScreen) {
  const int dpi = GetParam();
  AppComposition app(system_);
  MainWindow mainWindow(system_.Window(), app);
  mainWindow.Create(GetModuleHandleA(nullptr), dpi);
  ShowWindow(mainWindow.Handle(), SW_RESTORE);  // the window is made maximized; restored, it is smaller than the design
  PumpPending();
  ExpectDesignPlaces(mainWindow, dpi);
}

TEST_P(LayoutTest, PicturesAndCaptionsFollowTheResolution) {
  const int dpi = GetParam();
  AppComposition app(system_);
  MainWindow mainWindow(system_.Window(), app);
  mainWindow.Create(GetModuleHandleA(nullptr), dpi);
  ExpectPicturesAndCaptions(mainWindow, dpi);
}

// Moved to a screen of another resolution (the system sends WM_DPICHANGED with the
// rectangle it suggests, here the restored one there), the window is laid out as one
// started at that resolution, and back.
TEST(LayoutFollowsTheScreen, AWindowMovedToAnotherResolutionIsLaidOutAsOneStartedThere) {
  ScopedWorkingDirectory workingDirectory;
  SystemServices system;
  AppComposition app(system);
  MainWindow mainWindow(system.Window(), app);
  mainWindow.Create(GetModuleHandleA(nullptr), 96);
  ShowWindow(mainWindow.Handle(), SW_RESTORE);
  for (const int dpi : {144, 96}) {
    const DesignRect restored = ScaleToDpi(kRestoredBounds, dpi);
    RECT suggested{restored.left, restored.top, restored.left + restored.width, restored.top + restored.height};
    SendMessageA(mainWindow.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    PumpPending();
    EXPECT_EQ(mainWindow.Dpi(), dpi);
    ExpectDesignPlaces(mainWindow, dpi);
    ExpectPicturesAndCaptions(mainWindow, dpi);
  }
}

INSTANTIATE_TEST_SUITE_P(Resolutions, LayoutTest, ::testing::Values(96, 120, 144));

// Literal pixels at 120 dpi: the design's places in a client area smaller than the design
// (783 x 534), which scrolls; in larger ones, the room beyond it goes to the controls
// anchored to the right and bottom edges.
TEST(LayoutGrowsWithTheWindow, AnchoredControlsFollowTheRightAndBottomEdges) {
  ScopedWorkingDirectory workingDirectory;
  SystemServices system;
  struct Place {
    ControlId id;
    RECT place;
  };
  const struct {
    SIZE client;  // 0 x 0: a window of 600 x 450, smaller than the design
    std::vector<Place> places;
    LONG sortHintLeft;
  } cases[] = {
      {{0, 0},
       {{kPageControl, {2, -1, 783, 506}}, {kInventoryListView, {0, 37, 770, 416}},
        {kUninstallButton, {526, 417, 761, 442}}, {kPrintListButton, {5, 418, 146, 443}},
        {kQuitButton, {628, 508, 779, 533}}, {kComputeProgressBar, {379, 508, 614, 534}}, {kToolBar, {5, 0, 281, 34}},
        {kWebSiteButton, {54, 340, 450, 366}}, {kAboutText, {0, 121, 526, 281}}, {kSupportButton, {565, 409, 736, 433}}},
       420},
      {{805, 580},
       {{kPageControl, {2, -1, 805, 552}}, {kInventoryListView, {0, 37, 792, 462}},
        {kUninstallButton, {548, 463, 783, 488}}, {kPrintListButton, {5, 464, 146, 489}},
        {kQuitButton, {628, 554, 779, 579}}, {kComputeProgressBar, {379, 554, 614, 580}}, {kToolBar, {5, 0, 281, 34}},
        {kWebSiteButton, {54, 386, 450, 412}}, {kAboutText, {0, 121, 548, 327}}, {kSupportButton, {587, 409, 758, 433}}},
       442},
      {{1280, 1000},
       {{kPageControl, {2, -1, 1280, 972}}, {kInventoryListView, {0, 37, 1267, 882}},
        {kUninstallButton, {1023, 883, 1258, 908}}, {kPrintListButton, {5, 884, 146, 909}},
        {kQuitButton, {628, 974, 779, 999}}, {kComputeProgressBar, {379, 974, 614, 1000}}, {kToolBar, {5, 0, 281, 34}},
        {kWebSiteButton, {54, 806, 450, 832}}, {kAboutText, {0, 121, 1023, 747}},
        {kSupportButton, {1062, 409, 1233, 433}}},
       917},
  };
  for (const auto& c : cases) {
    AppComposition app(system);
    MainWindow mainWindow(system.Window(), app);
    mainWindow.Create(GetModuleHandleA(nullptr), 120);
    RECT outer{0, 0, c.client.cx, c.client.cy};
    if (c.client.cx == 0) {
      outer = {0, 0, 600, 450};
    } else {
      AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrA(mainWindow.Handle(), GWL_STYLE)), FALSE,
                         static_cast<DWORD>(GetWindowLongPtrA(mainWindow.Handle(), GWL_EXSTYLE)));
    }
    SetWindowPos(mainWindow.Handle(), nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    PumpPending();
    RECT client;
    GetClientRect(mainWindow.Handle(), &client);
    if (c.client.cx != 0) ASSERT_EQ(client.right, c.client.cx) << "a window made for that client area";
    if (c.client.cx != 0) ASSERT_EQ(client.bottom, c.client.cy);
    for (const Place& e : c.places) {
      const RECT actual = PlaceInParent(mainWindow.Control(e.id));
      EXPECT_TRUE(EqualRect(&actual, &e.place))
          << ControlById(e.id).name << " in a client area of " << client.right << "x" << client.bottom << ": "
          << actual.left << "," << actual.top << "," << actual.right << "," << actual.bottom;
    }
    EXPECT_EQ(PlaceInParent(mainWindow.Control(kSortHintLabel)).left, c.sortHintLeft);
    EXPECT_FALSE(IsWindowVisible(mainWindow.Control(kComputeProgressBar))) << "until sizes are computed";
    RECT chart;
    RECT page;
    GetClientRect(mainWindow.PieChart()->Handle(), &chart);
    GetClientRect(mainWindow.Page(WindowPage::Pie), &page);
    EXPECT_TRUE(EqualRect(&chart, &page)) << "the chart fills its page";
  }
}

}  // namespace
}  // namespace zobl::testing
