#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include <cstring>
#include <optional>
#include <string>

#include "platform/capacities.h"
#include "platform/win32/scoped_handles.h"

namespace zobl::win32 {
namespace {

std::uint64_t ToUint64(const FILETIME& time) {
  return static_cast<std::uint64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
}

}  // namespace

bool Win32FileSystem::IsExistingDirectory(const char* path) {
  const DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Win32FileSystem::IsExistingFile(const char* path) {
  WIN32_FIND_DATAA entry;
  const ScopedFindHandle find(FindFirstFileA(path, &entry));
  if (!find.IsValid() || (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return false;
  // Only entries whose time the old DOS calls could express count as files.
  FILETIME local;
  WORD dosDate = 0;
  WORD dosTime = 0;
  return FileTimeToLocalFileTime(&entry.ftLastWriteTime, &local) && FileTimeToDosDateTime(&local, &dosDate, &dosTime);
}

std::optional<FoundEntry> Win32FileSystem::FindEntry(const char* path) {
  WIN32_FIND_DATAA entry;
  const ScopedFindHandle find(FindFirstFileA(path, &entry));
  if (!find.IsValid()) return std::nullopt;
  return FoundEntry{entry.cFileName, ToUint64(entry.ftCreationTime)};
}

std::optional<FullPath> Win32FileSystem::GetFullPath(const char* path) {
  char full[kPathCapacity];
  char* lastComponent = nullptr;
  const DWORD length = GetFullPathNameA(path, sizeof full, full, &lastComponent);
  if (length == 0 || length >= sizeof full || lastComponent == nullptr || *lastComponent == '\0') {
    return std::nullopt;
  }
  return FullPath{std::string(full, length), static_cast<std::size_t>(lastComponent - full)};
}

std::string Win32FileSystem::WindowsDirectory() {
  char directory[kPathCapacity] = {};
  const UINT length = GetWindowsDirectoryA(directory, sizeof directory);
  return length < sizeof directory ? std::string(directory, length) : std::string();
}

// Asked first for the length the expansion needs, terminator included, then for the
// text; the environment may change in between, so a second answer that does not fit
// is a failure.
std::optional<std::string> Win32FileSystem::ExpandEnvironment(const char* text) {
  const DWORD needed = ExpandEnvironmentStringsA(text, nullptr, 0);
  if (needed == 0) return std::nullopt;
  std::string expanded(needed, '\0');
  const DWORD written = ExpandEnvironmentStringsA(text, expanded.data(), needed);
  if (written == 0 || written > needed) return std::nullopt;
  expanded.resize(std::strlen(expanded.c_str()));
  return expanded;
}

}  // namespace zobl::win32
