#pragma once

#include <windows.h>

#include "platform/registry.h"

namespace zobl::win32 {

inline HKEY Root(RegistrySource source) {
  return source == RegistrySource::User ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

// The machine's software keys have two views on 64-bit Windows; name the one wanted
// rather than rely on this program's own bitness. The user's keys have one.
inline REGSAM ViewFlag(RegistrySource source) {
  switch (source) {
    case RegistrySource::Machine64: return KEY_WOW64_64KEY;
    case RegistrySource::Machine32: return KEY_WOW64_32KEY;
    case RegistrySource::User: break;
  }
  return 0;
}

}  // namespace zobl::win32
