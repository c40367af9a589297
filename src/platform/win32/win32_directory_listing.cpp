#include "platform/win32/win32_directory_listing.h"

#include <string>

#include "platform/win32/final_path.h"
#include "platform/win32/scoped_handles.h"
#include "platform/win32/wide_text.h"

namespace zobl::win32 {
namespace {

HANDLE ToFindHandle(ListingHandle listing) { return reinterpret_cast<HANDLE>(listing.value); }

// Only a path that is absolute and already in its plain form may take the prefix, which
// turns off every rewriting of the path: ".", ".." and "/" would then be taken literally.
bool TakesExtendedPrefix(std::wstring_view path) {
  const bool drive = path.size() >= 3 && path[1] == L':' && path[2] == L'\\';
  const bool unc = path.size() >= 3 && path[0] == L'\\' && path[1] == L'\\' && path[2] != L'?' && path[2] != L'.';
  if (!drive && !unc) return false;
  if (path.find(L'/') != std::wstring_view::npos || path.find(L"\\\\", 2) != std::wstring_view::npos) return false;
  for (std::size_t at = path.find(L"\\."); at != std::wstring_view::npos; at = path.find(L"\\.", at + 1)) {
    const std::wstring_view rest = path.substr(at + 2);
    if (rest.empty() || rest.front() == L'\\' || rest.starts_with(L".\\") || rest == L".") return false;
  }
  return true;
}

}  // namespace

const wchar_t* Win32DirectoryListing::Extended(std::string_view path) {
  AssignWide(converted_, path, codePage_);
  extended_.clear();
  if (TakesExtendedPrefix(converted_)) {
    const bool unc = converted_[0] == L'\\' && converted_[1] == L'\\';
    extended_ = unc ? L"\\\\?\\UNC" : L"\\\\?\\";
    extended_.append(converted_, unc ? 1 : 0);
  } else {
    extended_ = converted_;
  }
  return extended_.c_str();
}

void Win32DirectoryListing::Describe(ListedEntry& entry) {
  AssignUtf8(name_, found_.cFileName, codePage_);
  entry.name = name_.c_str();
  entry.attributes = found_.dwFileAttributes;
  entry.listedSize = static_cast<std::uint64_t>(found_.nFileSizeHigh) << 32 | found_.nFileSizeLow;
}

// The find handle belongs to the caller's ScopedListing from here on, which ends it
// through End.
bool Win32DirectoryListing::Begin(const char* pattern, ListingHandle& listing, ListedEntry& first) {
  const HANDLE find = FindFirstFileW(Extended(pattern), &found_);
  if (find == INVALID_HANDLE_VALUE) return false;
  listing.value = reinterpret_cast<std::uintptr_t>(find);
  Describe(first);
  return true;
}

bool Win32DirectoryListing::Next(ListingHandle listing, ListedEntry& entry) {
  if (!FindNextFileW(ToFindHandle(listing), &found_)) return false;
  Describe(entry);
  return true;
}

void Win32DirectoryListing::End(ListingHandle listing) { FindClose(ToFindHandle(listing)); }

std::optional<std::uint64_t> Win32DirectoryListing::OpenedFileSize(const char* path) {
  const ScopedFileHandle file(CreateFileW(Extended(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
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
      CreateFileW(Extended(opened), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!handle.IsValid()) return std::nullopt;
  const std::optional<std::wstring> path = FinalPathOf(handle.Get());
  if (!path) return std::nullopt;
  return Utf8(*path, codePage_);
}

}  // namespace zobl::win32
