#pragma once

#include <windows.h>

#include <string>

namespace zobl::win32 {

// What a control tells screen readers where the system's own object for it says too
// little: a check box whose text is a label beside it has no name, and Wine's objects
// call most controls "client".
struct ScreenReaderFacts {
  std::string name;  // in the program's code page; empty keeps the system's (the control's text)
  long role = 0;     // a ROLE_SYSTEM_ value; 0 keeps the system's
};

// From now on a screen reader that asks `control` for its object gets the system's own
// with `facts` in its place: the name and the role, and what goes with the role where the
// system's object leaves it out (a check button's checked state; the chosen item of a
// combo box or a page tab list, a progress bar's percent as the value). Called once the
// control exists, it lasts as long as the control; called again, the new facts replace
// the former. The window's texts and layout stay as they are. False when the control
// cannot be hooked.
bool ExposeToScreenReaders(HWND control, ScreenReaderFacts facts);

}  // namespace zobl::win32
