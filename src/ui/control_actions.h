#pragma once

namespace zobl {

// What the main window's buttons, boxes, tool buttons and link do when the user acts on
// them. The design gives each such control its action, beside its place; the window does
// them. A new button is its design row, naming one of these, and the action itself.
class ControlActions {
 public:
  virtual void Quit() = 0;
  virtual void ComputeSizes() = 0;
  virtual void ShowDetails() = 0;
  virtual void ShowIcons() = 0;
  virtual void PrintList() = 0;
  virtual void OpenTidyWindow() = 0;
  virtual void NamelessLinesToggled() = 0;
  virtual void TextureToggled() = 0;
  virtual void SortByChosen() = 0;
  virtual void FilterChanged() = 0;
  virtual void UninstallSelectedRow() = 0;
  virtual void RemoveSelectedRow() = 0;
  virtual void OpenLatestVersionPage() = 0;
  virtual void OpenFaqPage() = 0;
  virtual void OpenHomePage() = 0;
  virtual void OpenAuthorPage() = 0;
  virtual void OpenSupportPage() = 0;

 protected:
  ~ControlActions() = default;
};

// One of them; nullptr for a control that does nothing when used.
using ControlAction = void (ControlActions::*)();

}  // namespace zobl
