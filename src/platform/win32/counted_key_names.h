#pragma once

#include <windows.h>

#include <string>

namespace zobl::win32 {

// Keys by their names exactly as the registry holds them. A name may hold a zero, at which
// every Win32 registry call ends it (and opens another key, or none): such a name is
// reached through the native calls, whose names are counted. `name` is a path below
// `parent` (a root or an open key); the part before the component with the zero is opened
// as usual, with `view` (KEY_WOW64_32KEY, ...), and what follows relative to it, in its view.
LSTATUS OpenKeyByName(HKEY parent, const std::wstring& name, REGSAM access, REGSAM view, HKEY& key);
LSTATUS DeleteKeyByName(HKEY parent, const std::wstring& name, REGSAM view);

}  // namespace zobl::win32
