#include "platform/win32/win32_directory_listing.h"

#include <string>

#include "platform/win32/scoped_handles.h"

namespace zobl::win32 {
namespace {

HANDLE ToFindHandle(ListingHandle listing) { return reinterpret_cast<HANDLE>(listing.value); }

}  // namespace

void Win32DirectoryListing::Describe(ListedEntry& entry) const {
  entry.name = found_.cFileName;
  entry.attributes = found_.dwFileAttributes;
  entry.listedSize = static_cast<std::uint64_t>(found_.nFileSizeHigh) << 32 | found_.nFileSizeLow;
}

// The find handle belongs to the caller's ScopedListing from here on, which ends it
// through End.
bool Win32DirectoryListing::Begin(const char* pattern, ListingHandle& listing, ListedEntry& first) {
  const HANDLE find = FindFirstFileA(pattern, &found_);
  if (find == INVALID_HANDLE_VALUE) return false;
  listing.value = reinterpret_cast<std::uintptr_t>(find);
  Describe(first);
  return true;
}

bool Win32DirectoryListing::Next(ListingHandle listing, ListedEntry& entry) {
  if (!FindNextFileA(ToFindHandle(listing), &found_)) return false;
  Describe(entry);
  return true;
}

void Win32DirectoryListing::End(ListingHandle listing) { FindClose(ToFindHandle(listing)); }

std::optional<std::uint64_t> Win32DirectoryListing::OpenedFileSize(const char* path) {
  const ScopedFileHandle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsValid()) return std::nullopt;
  DWORD high = 0;
  // A file of 4,294,967,295 bytes returns the failure value too; only the error tells.
  SetLastError(NO_ERROR);
  const DWORD low = GetFileSize(file.Get(), &high);
  if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return 0;
  return static_cast<std::uint64_t>(high) << 32 | low;
}

std::optional<std::string> Win32DirectoryListing::FinalPath(const char* directory) {
  // Opened as "path\", as the listing's pattern names it: a bare drive ("C:") then
  // means its root rather than its current directory.
  std::string opened = directory;
  opened += '\\';
  constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  const ScopedFileHandle handle(
      CreateFileA(opened.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!handle.IsValid()) return std::nullopt;
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = GetFinalPathNameByHandleA(handle.Get(), path.data(), static_cast<DWORD>(path.size()),
                                                   FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length == 0) return std::nullopt;
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(length);  // the size needed, terminating zero included
  }
}

}  // namespace zobl::win32
