#pragma once

#include <windows.h>

#include <string>

#include "descriptor_keys.h"
#include "platform/registry.h"
#include "platform/win32/scoped_handles.h"

namespace zobl::churn {

// Every descriptor the churn test makes bears this prefix, in every source, so that a
// sweep finds whatever a stopped or crashed run left behind.
inline constexpr char kChurnPrefix[] = "ZoblChurn-";

// The Uninstall key of `source` in its own view, made when absent; invalid on failure.
win32::ScopedKey OpenUninstallKey(RegistrySource source, REGSAM access = KEY_ALL_ACCESS);

// The key's path as the registry editor writes it, as a backup file's block header names it.
std::string EditorPath(RegistrySource source, const std::string& keyName);

// A short tag for figures and key names: "64", "32" or "U".
const char* SourceTag(RegistrySource source);

// Deletes every descriptor of the churn in every source; returns how many went.
int SweepChurnKeys();

// Creates `keyName` in `source` with values written in the order a setup program that
// wants no half-made row shown would write them: DisplayName last. False on failure.
struct DescriptorValues {
  std::string displayName;  // empty: nameless
  std::string command;      // empty: no UninstallString
  bool expandable = false;  // the command as REG_EXPAND_SZ
  bool withSubkey = false;
};
bool WriteDescriptor(testing::DescriptorKeys& keys,
                     RegistrySource source,
                     const std::string& keyName,
                     const DescriptorValues& values);

}  // namespace zobl::churn
