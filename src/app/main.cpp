// ZOBL Quillmoor: lists the programs registered as installed and helps tidy that list.
#include <windows.h>
#include <commctrl.h>

#include <exception>

#include "mainwindow/event_guard.h"
#include "mainwindow/main_window.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_locale.h"
#include "platform/win32/win32_profile.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_text_file.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES |
                                                     ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  try {
    zobl::win32::Win32Registry registry;
    zobl::win32::Win32FileSystem fileSystem;
    zobl::win32::Win32Locale locale;
    zobl::win32::Win32Profile profile(zobl::kSettingsFile);
    zobl::win32::Win32Shell shell;
    zobl::win32::Win32TextFileReader files;
    zobl::TForm1 form({registry, fileSystem, locale, profile, shell, files});
    shell.SetOwner(form.Create(instance));
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
