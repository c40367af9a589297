#include "ui/window_design.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "ui/settings.h"
#include "version.h"

#include "ui/web_links.h"

namespace zobl {
namespace {

constexpr char kHintList[] =
    "This table shows the uninstall informations provided by the programs currently installed on your computer. "
    "You can display them as icons.";
constexpr char kHintNameless[] =
    "Check this option to display all lines. Even the nameless lines. These lines are usually for internal "
    "components which should not be uninstalled by this way.";
constexpr char kHintFilter[] =
    "Type here to show only the programs whose name, key name, command, directory or publisher holds the text "
    "(Ctrl+F or F3 come here, Escape empties it).";

using K = ControlKind;
using P = WindowPage;
using F = FontKind;
using A = ControlActions;

// clang-format off
const std::array kControls = {
    // The window's own controls, in tab order.
    ControlDesign{kFaqButton, "ButtonWebFAQ", K::Button, P::Window, {201, 508, 160, 25}, kMoveDown, "Online FAQ...",
                  F::MinorAction, "Look at the updated Frequently Asked Question page on Internet.", &A::OpenFaqPage},
    ControlDesign{kQuitButton, "ButtonQuitte", K::Button, P::Window, {628, 508, 151, 25}, kMoveDown, "Quit ZOBL", F::MinorAction,
                  "Close this window", &A::Quit},
    ControlDesign{kPageControl, "PageControl1", K::PageControl, P::Window, {2, -1, 781, 507}, kGrowRight | kGrowDown, "", F::Normal,
                  nullptr},
    ControlDesign{kLatestVersionButton, "ButtonWebVersion", K::Button, P::Window, {5, 508, 191, 25}, kMoveDown,
                  "Find Latest Version...", F::MinorAction, "Look for the latest version of ZOBL.", &A::OpenLatestVersionPage},
    ControlDesign{kComputeSizesButton, "ButtonCalculeTaille", K::Button, P::Window, {379, 508, 235, 25}, kMoveDown,
                  "Compute the Files Size", F::MainAction,
                  "Click here to compute the size of the files of each program.", &A::ComputeSizes},
    ControlDesign{kComputeProgressBar, "ProgressBarCalculeTaille", K::ProgressBar, P::Window,
                  {379, 508, 235, 26}, kMoveDown, "", F::Normal, nullptr},

    // The List tab, in tab order, then its labels.
    ControlDesign{kUninstallButton, "ButtonUninstall", K::Button, P::List, {526, 417, 235, 25}, kMoveDown | kMoveRight,
                  "Setup / Uninstall Selected Line", F::MainAction,
                  "Click here to activate the usual Setup/Uninstall program of this item.", &A::UninstallSelectedRow},
    ControlDesign{kRemoveEntryButton, "ButtonRemoveEntry", K::Button, P::List, {526, 447, 235, 24}, kMoveDown | kMoveRight,
                  "Remove Line But not the files", F::Normal,
                  "Click here to remove a line of a previously uninstalled program. The files of the program will "
                  "not be removed. Just the uninstall description.", &A::RemoveSelectedRow},
    ControlDesign{kPrintListButton, "ButtonImprimeListe", K::Button, P::List, {5, 418, 141, 25}, kMoveDown,
                  "Print the list", F::Normal, nullptr, &A::PrintList},
    ControlDesign{kSortByCombo, "ComboBoxClassement", K::ComboBox, P::List, {230, 418, 212, 0}, kMoveDown, "",
                  F::Normal, nullptr, &A::SortByChosen},
    ControlDesign{kNamelessLinesCheckBox, "CheckBoxAffLignesSansNom", K::CheckBox, P::List, {5, 452, 17, 17}, kMoveDown,
                  "", F::Normal, kHintNameless, &A::NamelessLinesToggled},
    ControlDesign{kFilterBox, "FilterBox", K::Edit, P::List, {654, 12, 112, 22}, kMoveRight, "", F::Normal,
                  kHintFilter, &A::FilterChanged},
    ControlDesign{kInventoryListView, "ListViewDescription", K::ListView, P::List, {0, 37, 770, 379}, kGrowRight | kGrowDown, "",
                  F::Normal, kHintList},
    ControlDesign{kToolBar, "ToolBar1", K::ToolBar, P::List, {5, 0, 276, 34}, kFixed, "", F::Normal, nullptr},
    ControlDesign{kSortHintLabel, "LabelSorting", K::Label, P::List, {420, 16, 0, 0}, kMoveRight,
                  "Click on a column title to sort the table:", F::Normal, nullptr},
    ControlDesign{kSortByLabel, "Label6", K::Label, P::List, {164, 423, 0, 0}, kMoveDown, "Sort By:", F::Normal, nullptr,
                  nullptr, TextAlignment::Right},
    ControlDesign{kNamelessLinesLabel, "Label4", K::Label, P::List, {30, 453, 0, 0}, kMoveDown, "Display Nameless Lines", F::Normal,
                  kHintNameless},
    ControlDesign{kShownCountLabel, "ShownCountLabel", K::Label, P::List, {230, 453, 290, 16}, kMoveDown, "", F::Normal,
                  nullptr},

    // The Options tab.
    ControlDesign{kTextureCheckBox, "CheckBoxDisplayTexture", K::CheckBox, P::Options, {30, 34, 17, 17}, kFixed, "",
                  F::Normal, nullptr, &A::TextureToggled, TextAlignment::Left, true, kDisplayTexture.defaultValue},
    ControlDesign{kTextureLabel, "Label3", K::Label, P::Options, {55, 34, 0, 0}, kFixed,
                  "Display MARLO' picture as the background.", F::Normal, nullptr},

    // The About tab, in tab order, then its labels.
    ControlDesign{kAboutText, "MemoAbout", K::Memo, P::About, {0, 121, 526, 160}, kGrowRight | kGrowDown, "", F::Normal,
                  nullptr},
    ControlDesign{kWebSiteButton, "ButtonGoWeb", K::Button, P::About, {54, 340, 396, 26}, kMoveDown, kWebSite,
                  F::MainAction, nullptr, &A::OpenHomePage},
    ControlDesign{kAboutAuthorButton, "BitBtnAboutAuthor", K::PictureButton, P::About, {145, 415, 232, 35}, kMoveDown,
                  "About the Author himself", F::Normal, nullptr, &A::OpenAuthorPage},
    ControlDesign{kSupportButton, "ButtonSupportMe", K::Button, P::About, {565, 409, 171, 24}, kMoveRight,
                  "Click here to support me !", F::Normal, nullptr, &A::OpenSupportPage},
    ControlDesign{kAboutTitleLabel, "Label1", K::Label, P::About, {20, 10, 706, 50}, kFixed, "ZOBL Quillmoor", F::AboutTitle, nullptr,
                  nullptr, TextAlignment::Center, false},
    ControlDesign{kVersionLabel, "Label2", K::Label, P::About, {304, 75, 0, 0}, kFixed, "Version " ZOBL_VERSION_TEXT, F::AboutVersion, nullptr,
                  nullptr, TextAlignment::Left, false},
    ControlDesign{kWebSiteLink, "Label5", K::Label, P::About, {50, 315, 0, 0}, kMoveDown,
                  "YOU WILL FIND A LOT OF FREEWARE ON MY WEB SITE:", F::LinksHeading, nullptr, &A::OpenHomePage},
    ControlDesign{kFreewareLabel, "Label8", K::Label, P::About, {551, 158, 96, 32}, kMoveRight, "This program is FREEWARE.", F::Normal,
                  nullptr, nullptr, TextAlignment::Center},
    ControlDesign{kSupportMoneyLabel, "Label7", K::Label, P::About, {551, 202, 182, 48}, kMoveRight,
                  "But if you like my freeware and my web site, you can send money to encourage me.", F::Normal,
                  nullptr},
    ControlDesign{kSupportTravelLabel, "Label9", K::Label, P::About, {554, 277, 188, 32}, kMoveRight,
                  "That will allow me to travel more often !    :-)", F::Normal, nullptr},
    ControlDesign{kSupportUpdatesLabel, "Label10", K::Label, P::About, {556, 337, 179, 48}, kMoveRight,
                  "The more you encourage me, the more I will make updates and freeware for you.", F::Normal, nullptr},
};
// clang-format on

}  // namespace

std::span<const ControlDesign> DesignedControls() { return kControls; }

const ControlDesign& ControlById(ControlId id) {
  const auto found = std::find_if(kControls.begin(), kControls.end(), [id](const auto& c) { return c.id == id; });
  if (found == kControls.end()) throw std::out_of_range("no such control");
  return *found;
}

}  // namespace zobl
