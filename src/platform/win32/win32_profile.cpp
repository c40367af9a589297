#include "platform/win32/win32_profile.h"

#include <windows.h>

namespace zobl::win32 {

// Every key lives in the section with the empty name.
constexpr char kSection[] = "";

unsigned Win32Profile::ReadInt(const char* key, unsigned defaultValue) {
  return GetPrivateProfileIntA(kSection, key, static_cast<INT>(defaultValue), fileName_.c_str());
}

bool Win32Profile::WriteString(const char* key, const char* value) {
  return WritePrivateProfileStringA(kSection, key, value, fileName_.c_str()) != FALSE;
}

}  // namespace zobl::win32
