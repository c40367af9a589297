// ZOBL Quillmoor: lists the programs registered as installed and helps tidy that list.
#include <windows.h>
#include <commctrl.h>

#include "app/export_inventory.h"
#include "commandline/export_command_line.h"
#include "ui/event_guard.h"
#include "mainwindow/app_composition.h"
#include "mainwindow/main_window.h"
#include "mainwindow/system_services.h"
#include "platform/win32/system_library.h"
#include "platform/win32/win32_command_line.h"

namespace {

// Without a window there is nothing to keep responsive, and nothing closes.
class NoWindowPump final : public zobl::MessagePump {
 public:
  bool Pump() override { return true; }
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  zobl::win32::LoadLibrariesFromTheSystemOnly();
  using Action = zobl::CommandLine::Action;
  const zobl::CommandLine commandLine = zobl::ParseCommandLine(zobl::win32::ProgramArguments());
  switch (commandLine.action) {
    case Action::OpenWindow: break;
    case Action::Help: zobl::win32::TellConsole(zobl::kCommandLineUsage); return 0;
    // A window program has no standard output of its own to list to: zobl-cli.exe has.
    case Action::List:
    case Action::Usage: zobl::win32::TellConsole(zobl::kCommandLineUsage); return zobl::kExitUsage;
    case Action::Export: {
      NoWindowPump pump;
      zobl::ComputeSizesObserver unseen;  // no window, no console: the run shows nothing of itself
      return zobl::ExportInventory(commandLine, "zobl", pump, unseen);
    }
  }
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES |
                                                     ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  zobl::SystemServices system;
  int exitCode = 1;  // unless the window came and went
  zobl::RunEventHandler(system.dialogs, [&] {
    zobl::AppComposition app(system);
    zobl::MainWindow mainWindow(system.Window(), app);
    mainWindow.Create(instance);
    mainWindow.Show();
    // The window's keys work in every message loop, the scan's during a run included.
    system.pump.SetKeyHandler([&mainWindow](MSG& message) { return mainWindow.PreTranslateMessage(message); });
    struct KeysOff {
      zobl::win32::Win32MessagePump& pump;
      ~KeysOff() { pump.SetKeyHandler(nullptr); }
    } keysOff{system.pump};
    exitCode = system.pump.Run();
  });
  return exitCode;
}
