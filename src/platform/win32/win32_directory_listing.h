#pragma once

#include <windows.h>

#include "platform/directory_listing.h"

namespace zobl::win32 {

// The scan's file-system operations over FindFirstFileA / FindNextFileA and
// CreateFileA / GetFileSize. One object serves a whole walk: entries are read into one
// find record, whose name the caller takes before it asks for the next entry.
class Win32DirectoryListing final : public DirectoryListing {
 public:
  [[nodiscard]] bool Begin(const char* pattern, ListingHandle& listing, ListedEntry& first) override;
  [[nodiscard]] bool Next(ListingHandle listing, ListedEntry& entry) override;
  void End(ListingHandle listing) override;
  [[nodiscard]] std::optional<std::uint64_t> OpenedFileSize(const char* path) override;
  [[nodiscard]] std::optional<std::string> FinalPath(const char* directory) override;

 private:
  void Describe(ListedEntry& entry) const;

  WIN32_FIND_DATAA found_ = {};
};

}  // namespace zobl::win32
