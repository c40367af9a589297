#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace zobl {

// Attribute bits as the Windows listing reports them.
inline constexpr std::uint32_t kDirectoryAttribute = 0x10;
inline constexpr std::uint32_t kReparsePointAttribute = 0x400;

// One entry of a directory listing.
struct ListedEntry {
  const char* name = nullptr;  // valid until the listing's next Begin or Next call
  std::uint32_t attributes = 0;
  std::uint64_t listedSize = 0;  // what the listing itself says; 0 for directories
};

// An enumeration in progress; what the value stands for is the listing's own affair.
struct ListingHandle {
  std::uintptr_t value = 0;
};

// The file-system operations of the directory scan. Called once or more per entry of
// every directory measured, so implementations keep them free of allocation.
class DirectoryListing {
 public:
  virtual ~DirectoryListing() = default;

  // Starts enumerating the entries that match `pattern` and reports the first one.
  // False when the directory cannot be listed; otherwise End is due exactly once.
  [[nodiscard]] virtual bool Begin(const char* pattern, ListingHandle& listing, ListedEntry& first) = 0;
  // Reports the next entry; false when none is left.
  [[nodiscard]] virtual bool Next(ListingHandle listing, ListedEntry& entry) = 0;
  virtual void End(ListingHandle listing) = 0;

  // Opens the file for reading without denying others reading or writing, asks its
  // 64-bit size and closes it again. nullopt when the file cannot be opened; 0 when it
  // opens but its size cannot be read.
  [[nodiscard]] virtual std::optional<std::uint64_t> OpenedFileSize(const char* path) = 0;

  // The directory's path with every link on the way resolved, in one canonical form
  // for the whole file system; nullopt when the directory cannot be opened.
  [[nodiscard]] virtual std::optional<std::string> FinalPath(const char* directory) = 0;
};

// Ends an enumeration however the scope is left.
class ScopedListing {
 public:
  ScopedListing(DirectoryListing& listing, ListingHandle handle) : listing_(listing), handle_(handle) {}
  ~ScopedListing() { listing_.End(handle_); }
  ScopedListing(const ScopedListing&) = delete;
  ScopedListing& operator=(const ScopedListing&) = delete;

 private:
  DirectoryListing& listing_;
  ListingHandle handle_;
};

}  // namespace zobl
