// ZOBL Quillmoor: lists the programs registered as installed and helps tidy that list.
#include <windows.h>
#include <commctrl.h>

#include "app/app_composition.h"
#include "app/export_inventory.h"
#include "app/system_services.h"
#include "inventory/export_command_line.h"
#include "mainwindow/event_guard.h"
#include "mainwindow/main_window.h"
#include "platform/win32/win32_command_line.h"

namespace {

// DLLs the program loads later (the printer's, when the print dialog opens) come from
// the system directory only, never from the folder the program was started from, where a
// planted copy would be taken first. Windows 7 has the call only with its update.
void LoadDllsFromTheSystemOnly() {
  using SetDefaultDllDirectoriesCall = BOOL(WINAPI*)(DWORD);
  const HMODULE kernel = GetModuleHandleA("kernel32.dll");
  const auto restrict = reinterpret_cast<SetDefaultDllDirectoriesCall>(
      reinterpret_cast<void (*)()>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
  if (restrict == nullptr || !restrict(LOAD_LIBRARY_SEARCH_SYSTEM32)) SetDllDirectoryA("");
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  LoadDllsFromTheSystemOnly();
  const zobl::CommandLine commandLine = zobl::ParseCommandLine(zobl::win32::ProgramArguments());
  if (commandLine.action == zobl::CommandLine::Action::Usage) {
    zobl::win32::TellConsole(zobl::kCommandLineUsage);
    return zobl::kExitUsage;
  }
  if (commandLine.action == zobl::CommandLine::Action::Export) {
    return zobl::ExportInventory(commandLine.exportFile, commandLine.measureSizes);
  }
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES |
                                                     ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  zobl::SystemServices system;
  int exitCode = 1;  // unless the window came and went
  zobl::RunEventHandler(system.dialogs, [&] {
    zobl::AppComposition app(system.Form());
    zobl::TForm1 form(app.services, app.Features());
    form.Create(instance);
    form.Show();
    // The window's keys work in every message loop, the scan's during a run included.
    system.pump.SetKeyHandler([&form](MSG& message) { return form.PreTranslateMessage(message); });
    struct KeysOff {
      zobl::win32::Win32MessagePump& pump;
      ~KeysOff() { pump.SetKeyHandler(nullptr); }
    } keysOff{system.pump};
    exitCode = system.pump.Run();
  });
  return exitCode;
}
