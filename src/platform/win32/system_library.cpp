#include "platform/win32/system_library.h"

#include <string>

namespace zobl::win32 {
namespace {

// Windows 7 without its loader update does not know the flag; there the DLL is named by
// its full path in the system directory, which no search can turn elsewhere.
HMODULE LoadFromTheSystemDirectory(const wchar_t* name) {
  if (const HMODULE library = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) return library;
  if (GetLastError() != ERROR_INVALID_PARAMETER) return nullptr;
  wchar_t directory[MAX_PATH];
  const UINT length = GetSystemDirectoryW(directory, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  const std::wstring path = std::wstring(directory, length) + L"\\" + name;
  return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace

SystemLibrary::SystemLibrary(const wchar_t* name) : library_(LoadFromTheSystemDirectory(name)) {}

// Windows 7 has the call only with its loader update; without it, the current directory
// at least leaves the search (the program's own folder stays in it: nothing the program
// imports is looked for there, see import_check.sh, and the rest is loaded by full path).
void LoadLibrariesFromTheSystemOnly() {
  using SetDefaultDllDirectoriesCall = BOOL(WINAPI*)(DWORD);
  const auto restrict = reinterpret_cast<SetDefaultDllDirectoriesCall>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
  if (restrict == nullptr || !restrict(LOAD_LIBRARY_SEARCH_SYSTEM32)) SetDllDirectoryW(L"");
}

}  // namespace zobl::win32
