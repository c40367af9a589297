#pragma once

#include <string>

namespace zobl {

// "/export FILE [/sizes]": reads the inventory from the three sources as the window does
// at its start (nameless lines hidden), measures every program's directory when asked,
// and writes the list as CSV to FILE, whole or not at all. No window, no settings file,
// no backup file. Returns the process's exit code.
int ExportInventory(const std::string& file, bool measureSizes);

}  // namespace zobl
