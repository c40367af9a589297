#pragma once

#include <optional>
#include <string>

#include "platform/file_system.h"
#include "platform/registry.h"

namespace zobl {

// The command that uninstalls the program without asking, when its descriptor offers
// one: its QuietUninstallString, or for a Windows Installer product the system's
// installer with its documented switches for no interface and no restart. Stored as an
// expandable text, it is expanded as the UninstallString is. Nothing when the descriptor
// offers none, or cannot be read.
[[nodiscard]] std::optional<std::string> QuietUninstallCommand(Registry& registry,
                                                               FileSystem& fileSystem,
                                                               RegistrySource source,
                                                               const std::string& keyName);

}  // namespace zobl
