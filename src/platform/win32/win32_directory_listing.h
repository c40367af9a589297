#pragma once

#include <windows.h>

#include <string>

#include "platform/directory_listing.h"

namespace zobl::win32 {

// The scan's file-system operations over FindFirstFileW / FindNextFileW and
// CreateFileW / GetFileSize, through extended-length paths ("\\?\C:\..."): a tree
// deeper than MAX_PATH is walked to its end, and names that the ordinary path rules
// would alter ("...", a trailing dot or blank) are reached as they are. Paths are in the
// program's texts on its side, converted from and to `codePage` (see Win32Registry). One object serves a whole walk: entries are read into one find
// record, whose name the caller takes before it asks for the next entry.
class Win32DirectoryListing final : public DirectoryListing {
 public:
  explicit Win32DirectoryListing(UINT codePage = CP_ACP) : codePage_(codePage) {}

  [[nodiscard]] bool Begin(const char* pattern, ListingHandle& listing, ListedEntry& first) override;
  [[nodiscard]] bool Next(ListingHandle listing, ListedEntry& entry) override;
  void End(ListingHandle listing) override;
  [[nodiscard]] std::optional<std::uint64_t> OpenedFileSize(const char* path) override;
  [[nodiscard]] std::optional<std::string> FinalPath(const char* directory) override;

 private:
  void Describe(ListedEntry& entry);
  // The path in its extended-length wide form, in a buffer kept for the next call.
  const wchar_t* Extended(std::string_view path);

  UINT codePage_;
  WIN32_FIND_DATAW found_ = {};
  std::string name_;     // the found entry's name in UTF-8
  std::wstring extended_;
  std::wstring converted_;
};

}  // namespace zobl::win32
