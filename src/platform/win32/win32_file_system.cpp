#include "platform/win32/win32_file_system.h"

#include <windows.h>
// The known folders' identifiers are defined here, once, rather than linked.
#include <initguid.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <cstring>
#include <cwchar>
#include <memory>
#include <optional>
#include <string>

#include "platform/capacities.h"
#include "platform/win32/scoped_handles.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_directory_listing.h"

namespace zobl::win32 {
namespace {

std::uint64_t ToUint64(const FILETIME& time) {
  return static_cast<std::uint64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
}

std::optional<std::string> KnownFolder(const KNOWNFOLDERID& id, UINT codePage) {
  PWSTR path = nullptr;
  const HRESULT result = SHGetKnownFolderPath(id, KF_FLAG_DONT_VERIFY, nullptr, &path);
  const std::unique_ptr<wchar_t, decltype(&CoTaskMemFree)> owned(path, &CoTaskMemFree);  // freed even on failure
  if (FAILED(result) || path == nullptr || *path == L'\0') return std::nullopt;
  return Utf8(path, codePage);
}

}  // namespace

bool Win32FileSystem::IsExistingDirectory(const char* path) {
  const DWORD attributes = GetFileAttributesW(Wide(path, codePage_).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Win32FileSystem::IsExistingFile(const char* path) {
  WIN32_FIND_DATAW entry;
  const ScopedFindHandle find(FindFirstFileW(Wide(path, codePage_).c_str(), &entry));
  if (!find.IsValid() || (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return false;
  // Only entries whose time the old DOS calls could express count as files.
  FILETIME local;
  WORD dosDate = 0;
  WORD dosTime = 0;
  return FileTimeToLocalFileTime(&entry.ftLastWriteTime, &local) && FileTimeToDosDateTime(&local, &dosDate, &dosTime);
}

std::optional<FoundEntry> Win32FileSystem::FindEntry(const char* path) {
  WIN32_FIND_DATAW entry;
  const ScopedFindHandle find(FindFirstFileW(Wide(path, codePage_).c_str(), &entry));
  if (!find.IsValid()) return std::nullopt;
  return FoundEntry{Utf8(entry.cFileName, codePage_), ToUint64(entry.ftCreationTime)};
}

// The buffer is a count of bytes in the program's texts, as the 8-bit call's would be.
std::optional<FullPath> Win32FileSystem::GetFullPath(const char* path) {
  wchar_t full[kPathCapacity];
  wchar_t* lastComponent = nullptr;
  const DWORD length = GetFullPathNameW(Wide(path, codePage_).c_str(), kPathCapacity, full, &lastComponent);
  if (length == 0 || length >= kPathCapacity || lastComponent == nullptr || *lastComponent == L'\0') {
    return std::nullopt;
  }
  std::string text = Utf8(std::wstring_view(full, length), codePage_);
  const std::size_t last = Utf8(std::wstring_view(full, static_cast<std::size_t>(lastComponent - full)), codePage_).size();
  if (text.size() >= kPathCapacity) return std::nullopt;
  return FullPath{std::move(text), last};
}

std::string Win32FileSystem::WindowsDirectory() {
  wchar_t directory[kPathCapacity] = {};
  const UINT length = GetWindowsDirectoryW(directory, kPathCapacity);
  if (length >= kPathCapacity) return std::string();
  std::string text = Utf8(std::wstring_view(directory, length), codePage_);
  return text.size() < kPathCapacity ? text : std::string();
}

SharedFolderList Win32FileSystem::SharedFolders() {
  static const KNOWNFOLDERID* const kFolders[] = {
      &FOLDERID_ProgramFiles,   &FOLDERID_ProgramFilesX86, &FOLDERID_ProgramFilesCommon,
      &FOLDERID_ProgramFilesCommonX86, &FOLDERID_ProgramData, &FOLDERID_UserProfiles,
      &FOLDERID_Profile,        &FOLDERID_RoamingAppData,  &FOLDERID_LocalAppData,
      &FOLDERID_LocalAppDataLow, &FOLDERID_Desktop,        &FOLDERID_Documents,
      &FOLDERID_Downloads,      &FOLDERID_UserProgramFiles, &FOLDERID_UserProgramFilesCommon,
      // A profile's other folders of the user's own: no program's folder either.
      &FOLDERID_Pictures,       &FOLDERID_Music,           &FOLDERID_Videos,
      &FOLDERID_SavedGames,     &FOLDERID_Favorites,       &FOLDERID_Links,
      &FOLDERID_Contacts,       &FOLDERID_SavedSearches,
  };
  zobl::SharedFolderList shared;
  for (const KNOWNFOLDERID* id : kFolders) {
    if (std::optional<std::string> folder = KnownFolder(*id, codePage_)) shared.folders.push_back(std::move(*folder));
  }
  if (std::optional<std::string> users = KnownFolder(FOLDERID_UserProfiles, codePage_)) shared.parents.push_back(std::move(*users));
  if (std::optional<std::string> profile = KnownFolder(FOLDERID_Profile, codePage_)) shared.profile = std::move(*profile);
  // AppData itself has no identifier: it is the roaming folder's parent.
  if (std::optional<std::string> roaming = KnownFolder(FOLDERID_RoamingAppData, codePage_)) {
    const std::size_t cut = roaming->find_last_of('\\');
    if (cut != std::string::npos && cut > 2) shared.folders.push_back(roaming->substr(0, cut));
  }
  // Often in short form (C:\Users\ADMINI~1\...), which the refresh resolves.
  wchar_t temporary[MAX_PATH + 1];
  const DWORD length = GetTempPathW(MAX_PATH + 1, temporary);
  if (length > 0 && length <= MAX_PATH) shared.folders.push_back(Utf8(std::wstring_view(temporary, length), codePage_));
  return shared;
}

// The scan's resolution, in the ordinary form the analysis compares paths in.
std::optional<std::string> Win32FileSystem::FinalPath(const char* directory) {
  std::optional<std::string> path = Win32DirectoryListing(codePage_).FinalPath(directory);
  if (!path) return std::nullopt;
  if (path->starts_with("\\\\?\\UNC\\")) return "\\" + path->substr(7);
  if (path->starts_with("\\\\?\\")) path->erase(0, 4);
  return path;
}

// Asked first for the length the expansion needs, terminator included, then for the
// text; the environment may change in between, so a second answer that does not fit
// is a failure.
std::optional<std::string> Win32FileSystem::ExpandEnvironment(const char* text) {
  const std::wstring wide = Wide(text, codePage_);
  const DWORD needed = ExpandEnvironmentStringsW(wide.c_str(), nullptr, 0);
  if (needed == 0) return std::nullopt;
  std::wstring expanded(needed, L'\0');
  const DWORD written = ExpandEnvironmentStringsW(wide.c_str(), expanded.data(), needed);
  if (written == 0 || written > needed) return std::nullopt;
  expanded.resize(std::wcslen(expanded.c_str()));
  return Utf8(expanded, codePage_);
}

}  // namespace zobl::win32
