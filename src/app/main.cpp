// ZOBL Quillmoor: lists the programs registered as installed and helps tidy that list.
#include <windows.h>
#include <commctrl.h>

#include <exception>

#include "mainwindow/event_guard.h"
#include "mainwindow/main_window.h"
#include "mainwindow/system_services.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES |
                                                     ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  try {
    zobl::SystemServices system;
    zobl::TForm1 form(system.Form());
    system.shell.SetOwner(form.Create(instance));
    form.Show();
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
      if (form.PreTranslateMessage(message)) continue;
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  } catch (const std::exception& failure) {
    zobl::ShowFailure(nullptr, failure.what());
  }
  return 0;  // whatever happened
}
