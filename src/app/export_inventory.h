#pragma once

#include <string_view>

#include "commandline/export_command_line.h"
#include "diskusage/compute_sizes_run.h"
#include "platform/message_pump.h"

namespace zobl {

// "/export FILE" or "/list", with "/sizes" and "/json": reads the inventory from the
// three sources as the window does at its start (nameless lines hidden), measures every
// program's directory when asked, and writes the list as CSV or JSON to FILE, whole or
// not at all, or to standard output. No window, no settings file, no backup file.
// `progress` shows the measuring; a `pump` that reports an end (Ctrl+C at a console)
// stops it, and then nothing is written. Messages name `program`. Returns the process's
// exit code.
int ExportInventory(const CommandLine& line, std::string_view program, MessagePump& pump, ComputeSizesObserver& progress);

}  // namespace zobl
