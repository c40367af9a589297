// zobl-cli: the inventory for scripts and for the engines that collect it from many
// machines. It only reads: it never removes a descriptor, starts an uninstaller or writes
// the settings or the backup file, and runs with the rights it is given.
#include <windows.h>

#include <atomic>
#include <string>

#include "app/export_inventory.h"
#include "commandline/export_command_line.h"
#include "commandline/measuring_progress.h"
#include "platform/win32/system_library.h"
#include "platform/win32/win32_command_line.h"
#include "platform/win32/win32_console.h"

namespace {

std::atomic<bool> stopAsked = false;

// Ctrl+C and Ctrl+Break stop the measuring; the run then ends as stopped. The system
// calls this on a thread of its own.
BOOL WINAPI OnConsoleStop(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
  stopAsked = true;
  return TRUE;
}

// The measuring asks between two directory entries whether to go on.
class ConsolePump final : public zobl::MessagePump {
 public:
  bool Pump() override { return !stopAsked; }
};

// Progress goes to standard error, and only to a console: a log file or a pipe gets the
// messages alone, not every step.
std::size_t ProgressWidth() {
  CONSOLE_SCREEN_BUFFER_INFO screen{};
  const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
  if (!zobl::win32::IsConsole(error) || !GetConsoleScreenBufferInfo(error, &screen)) return 0;
  return static_cast<std::size_t>(screen.srWindow.Right - screen.srWindow.Left + 1);
}

}  // namespace

int main() {
  zobl::win32::LoadLibrariesFromTheSystemOnly();
  using Action = zobl::CommandLine::Action;
  const zobl::CommandLine line = zobl::ParseCommandLine(zobl::win32::ProgramArguments());
  const std::string usage = std::string(zobl::kConsoleUsage) + "\r\n";
  switch (line.action) {
    case Action::Help: return zobl::win32::WriteStandard(STD_OUTPUT_HANDLE, usage) ? 0 : zobl::kExitFailed;
    case Action::OpenWindow:
    case Action::Usage: zobl::win32::WriteStandard(STD_ERROR_HANDLE, usage); return zobl::kExitUsage;
    case Action::Export:
    case Action::List: break;
  }
  if (line.measureSizes) SetConsoleCtrlHandler(OnConsoleStop, TRUE);
  const std::size_t width = ProgressWidth();
  zobl::MeasuringProgress progress(
      [width](std::string_view text) {
        if (width > 0) zobl::win32::WriteStandard(STD_ERROR_HANDLE, text);
      },
      width);
  ConsolePump pump;
  return zobl::ExportInventory(line, "zobl-cli", pump, progress);
}
