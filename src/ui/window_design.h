#pragma once

#include <span>

#include "platform/dpi.h"
#include "ui/control_actions.h"

namespace zobl {

// The window's layout at kDesignDpi.
inline constexpr int kDesignWidth = 783;  // the content the window scrolls over
inline constexpr int kDesignHeight = 534;

struct DesignRect {
  int left;
  int top;
  int width;
  int height;
};

constexpr DesignRect ScaleToDpi(const DesignRect& r, int dpi) {
  return {ScaleToDpi(r.left, dpi), ScaleToDpi(r.top, dpi), ScaleToDpi(r.width, dpi), ScaleToDpi(r.height, dpi)};
}

// Where a control lives: on the window itself or on one of the four tab pages.
enum class WindowPage { Window, List, Pie, Options, About };
// The page control's tabs, left to right.
inline constexpr WindowPage kTabPages[] = {WindowPage::List, WindowPage::Pie, WindowPage::Options, WindowPage::About};

enum class ControlKind {
  Button,
  PictureButton,
  CheckBox,
  Label,
  Memo,
  ComboBox,
  Edit,
  ListView,
  ProgressBar,
  ToolBar,
  PageControl
};

// Each font by what it is for: the web and quit buttons (italic), the buttons that do the
// main work (bold), the heading over the web links (bold, underlined), the About page's
// title and version line (Arial, large).
enum class FontKind { Normal, MinorAction, MainAction, LinksHeading, AboutTitle, AboutVersion };

enum class TextAlignment { Left, Center, Right };

// The controls, each named by what it is for; the table in window_design.cpp gives each its
// design name and caption. The numbers are the controls' identifiers.
enum ControlId : int {
  kPageControl = 100,  // the tabs List, Pie, Options, About
  kLatestVersionButton,
  kFaqButton,
  kComputeSizesButton,
  kComputeProgressBar,
  kQuitButton,
  kToolBar,
  kToolButtonDetails,
  kToolButtonIcons,
  kToolButtonPrint,
  kSortHintLabel,
  kInventoryListView,  // the inventory list
  kPrintListButton,
  kSortByLabel,              // "Sort By:"
  kSortByCombo,  // the sort box
  kNamelessLinesCheckBox,  // show nameless lines
  kNamelessLinesLabel,
  kFilterBox,        // narrows the list to the rows holding its text
  kShownCountLabel,  // "12 of 240 programs" while the filter box holds a text
  kUninstallButton,
  kRemoveEntryButton,
  kTextureCheckBox,  // the background picture
  kTextureLabel,
  kAboutTitleLabel,  // "ZOBL Quillmoor", the About tab's title
  kVersionLabel,  // the version
  kAboutText,
  kWebSiteLink,  // the web site's invitation, a link
  kWebSiteButton,
  kAboutAuthorButton,
  kFreewareLabel,  // the support panel's four texts
  kSupportMoneyLabel,
  kSupportTravelLabel,
  kSupportUpdatesLabel,
  kSupportButton,
  kToolButtonTidy,  // opens the tidy window
};

// One control as the design draws it. Controls of one parent are listed in their tab
// order; labels, which take no focus, stand where they are drawn over the others.
// How a control follows a client area larger than the design: which of its edges keep
// their distance to the client's right or bottom edge instead of to its top-left corner.
enum Anchor : unsigned {
  kFixed = 0,
  kGrowRight = 1,  // the right edge follows
  kGrowDown = 2,   // the bottom edge follows
  kMoveRight = 4,  // the whole control follows the right edge
  kMoveDown = 8,   // the whole control follows the bottom edge
};

struct ControlDesign {
  ControlId id;
  const char* name;
  ControlKind kind;
  WindowPage page;
  // A label of width 0 is sized to its one line of text; a wider one wraps its words
  // and grows downwards when the screen's font needs more lines.
  DesignRect bounds;
  unsigned anchor;
  const char* caption;
  FontKind font;
  const char* hint;  // shown as a tooltip; nullptr for none
  // What a click does (a change of the box's text or choice for the filter and sort boxes).
  ControlAction action = nullptr;
  TextAlignment alignment = TextAlignment::Left;
  bool enabled = true;
  bool checked = false;  // a check box's state in the design
};

// Frames drawn on the About tab around its support panel; they follow the page's right
// edge, as the panel's controls do.
struct BevelDesign {
  DesignRect bounds;
  bool raised;
};
inline constexpr BevelDesign kAboutBevels[] = {{{529, 123, 241, 345}, false}, {{537, 127, 227, 336}, true}};

std::span<const ControlDesign> DesignedControls();
const ControlDesign& ControlById(ControlId id);

inline constexpr DesignRect kRestoredBounds{253, 109, 543, 449};
inline constexpr int kDesignFontHeight = 13;
inline constexpr int kDesignLargeFontHeight = 15;

inline constexpr const char* kPageCaptions[] = {"List", "Pie", "Options", "About"};
inline constexpr const char* kSortComboItems[] = {"Name", "Key name",     "Date of installation",
                                                  "Size", "Command line", "Directory"};

struct ColumnDesign {
  const char* title;
  int width;
  enum { Left, Center, Right } alignment;
};
inline constexpr ColumnDesign kListColumns[] = {
    {"Name", 200, ColumnDesign::Left},
    {"Key Name", 140, ColumnDesign::Left},
    {"Date of Installation", 95, ColumnDesign::Center},
    {"Size of main directory", 80, ColumnDesign::Right},
    {"Command", 300, ColumnDesign::Left},
    {"Directory (supposed)", 400, ColumnDesign::Left},
};

}  // namespace zobl
