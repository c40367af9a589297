#pragma once

#include <string>
#include <string_view>

#include "platform/registry.h"

namespace zobl {

// Where setup programs leave their uninstall descriptors, below the root of each source.
inline constexpr char kUninstallKeyPath[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// The full registry path of a descriptor as the user and the registry editor name it:
// the root's name, and the 32-bit view's keys under SOFTWARE\WOW6432Node, where
// 64-bit Windows keeps them; the key name as shown (ShownKeyName).
std::string DescriptorLocation(RegistrySource source, std::string_view keyName);

struct UninstallEntry;

// A row's info tip: where its descriptor is, its publisher and version where it names
// them, and where its directory came from when not from its command.
std::string RowInfoTip(const UninstallEntry& row);

}  // namespace zobl
