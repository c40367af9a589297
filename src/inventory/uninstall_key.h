#pragma once

namespace zobl {

// Where setup programs leave their uninstall descriptors, below HKEY_LOCAL_MACHINE.
inline constexpr char kUninstallKeyPath[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

}  // namespace zobl
