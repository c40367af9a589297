#pragma once

#include <optional>
#include <string>

#include "platform/registry.h"

namespace zobl {

// The command that uninstalls the program without asking, when its descriptor offers
// one: its QuietUninstallString, or for a Windows Installer product the system's
// installer with its documented switches for no interface and no restart. Nothing when
// the descriptor offers none, or cannot be read.
[[nodiscard]] std::optional<std::string> QuietUninstallCommand(Registry& registry,
                                                               RegistrySource source,
                                                               const std::string& keyName);

}  // namespace zobl
