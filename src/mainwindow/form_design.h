#pragma once

#include <span>

#include "platform/dpi.h"

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
enum class FormPage { Window, List, Pie, Options, About };
// The page control's tabs, left to right.
inline constexpr FormPage kTabPages[] = {FormPage::List, FormPage::Pie, FormPage::Options, FormPage::About};

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

enum class FontKind { Normal, Italic15, Bold15, Bold15Underlined, Arial45, Arial33 };

enum class TextAlignment { Left, Center, Right };

// The controls by the design's names; the table in form_design.cpp gives each its caption.
enum ControlId : int {
  kPageControl1 = 100,  // the tabs List, Pie, Options, About
  kButtonWebVersion,
  kButtonWebFAQ,
  kButtonCalculeTaille,
  kProgressBarCalculeTaille,
  kButtonQuitte,
  kToolBar1,
  kToolButtonDetails,
  kToolButtonIcones,
  kToolButtonPrint,
  kLabelSorting,
  kListViewDescription,  // the inventory list
  kButtonImprimeListe,
  kLabel6,              // "Sort By:"
  kComboBoxClassement,  // the sort box
  kCheckBoxAffLignesSansNom,  // show nameless lines
  kLabel4,
  kFilterBox,        // narrows the list to the rows holding its text
  kShownCountLabel,  // "12 of 240 programs" while the filter box holds a text
  kButtonUninstall,
  kButtonRemoveEntry,
  kCheckBoxDisplayTexture,  // the background picture
  kLabel3,
  kLabel1,  // "ZOBL Quillmoor", the About tab's title
  kLabel2,  // the version
  kMemoAbout,
  kLabel5,  // the web site's invitation, a link
  kButtonGoWeb,
  kBitBtnAboutAuthor,
  kLabel8,  // the support panel's four texts
  kLabel7,
  kLabel9,
  kLabel10,
  kButtonSupportMe,
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
  FormPage page;
  // A label of width 0 is sized to its one line of text; a wider one wraps its words
  // and grows downwards when the screen's font needs more lines.
  DesignRect bounds;
  unsigned anchor;
  const char* caption;
  FontKind font;
  const char* hint;  // shown as a tooltip; nullptr for none
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
inline constexpr DesignRect kPageControlBounds{2, -1, 781, 507};
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
