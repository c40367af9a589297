#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <unordered_set>

#include "platform/registry.h"

// The Win32 calls of a refresh's pass, written as plainly as they allow, for the
// benchmarks' bare passes.

// The pass's questions asked once (the Windows directory, and the folders many programs
// share, asked and resolved through the program's own code, the one piece of it here:
// their questions are what cost, not their texts), then the walk of the three sources'
// Uninstall keys: `visit` is given each descriptor's source, Uninstall key and name.
// Returns the descriptors met.
int BarePass(UINT codePage,
             const std::function<void(zobl::RegistrySource source, HKEY uninstall, const wchar_t* name)>& visit);

// The parents whose long names a pass has searched: once a pass is enough.
using BareKnownParents = std::unordered_set<std::wstring>;

// The file-system questions the command analysis asks of `"X:\dir\program.exe" arguments`,
// in its order: whether the uninstaller's directory is there and, where it is, the
// uninstaller, its directory, each component's long name up to a parent the pass has
// searched, where the directory leads and its date, formatted. True when a directory is
// placed.
bool BarePlaceDirectory(const std::wstring& command, BareKnownParents& knownParents);

// The locale's weighing of a name for the Name order, once per row.
void BareWeighName(const std::wstring& name);
