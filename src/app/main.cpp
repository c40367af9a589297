// ZOBL Quillmoor: lists the programs registered as installed and helps tidy that list.
#include <windows.h>
#include <commctrl.h>

#include <exception>

#include "app/system_services.h"
#include "mainwindow/event_guard.h"
#include "mainwindow/main_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES |
                                                     ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  zobl::SystemServices system;
  zobl::RunEventHandler(system.dialogs, [&] {
    zobl::TForm1 form(system.Form());
    form.Create(instance);
    form.Show();
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
      if (form.PreTranslateMessage(message)) continue;
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  });
  return 0;  // whatever happened
}
