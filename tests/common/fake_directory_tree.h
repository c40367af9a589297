#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/directory_listing.h"

namespace zobl::testing {

// An in-memory drive behind the scan's listing operations, with Windows habits: names
// compare ignoring case, repeated backslashes and a "\\?\" prefix are taken as one,
// every directory but a drive's root lists "." and ".." first and then its entries in
// the order they were added. Links lead to another directory; a chain of more than 40
// of them fails, as a Unix system refuses it.
class FakeDirectoryTree final : public DirectoryListing {
 public:
  static constexpr std::uint32_t kArchiveAttribute = 0x20;

  // Parents must exist already; a drive ("C:") always does.
  void AddDirectory(const std::string& path, std::uint32_t attributes = kDirectoryAttribute);
  void AddFile(const std::string& path, std::uint64_t size, std::uint32_t attributes = kArchiveAttribute);
  // A directory link; its target need not exist.
  void AddLink(const std::string& path, const std::string& target);
  // Opening the file fails, as when it is held elsewhere without read sharing.
  void LockFile(const std::string& path);
  // The file opens but its size cannot be read.
  void FailSizeQuery(const std::string& path);
  // The directory's final path cannot be asked (it cannot be opened as itself).
  void FailFinalPath(const std::string& path);

  bool Begin(const char* pattern, ListingHandle& listing, ListedEntry& first) override;
  bool Next(ListingHandle listing, ListedEntry& entry) override;
  void End(ListingHandle listing) override;
  std::optional<std::uint64_t> OpenedFileSize(const char* path) override;
  std::optional<std::string> FinalPath(const char* directory) override;

  // Every operation in order, with the path as it was passed: "list C:\d\*.*",
  // "open C:\d\a.txt", "final C:\d\link".
  [[nodiscard]] const std::vector<std::string>& Calls() const { return calls_; }
  [[nodiscard]] std::size_t OpenListings() const { return listings_.size(); }

 private:
  struct Node {
    std::string path;  // as added, in its own letter case
    std::string name;
    bool isDirectory = false;
    std::uint32_t attributes = 0;
    std::uint64_t size = 0;
    std::string linkTarget;  // non-empty for a link
    bool locked = false;
    bool sizeQueryFails = false;
    bool finalPathFails = false;
    std::vector<std::string> children;  // keys, in the order added
  };
  struct Listing {
    std::vector<const Node*> entries;
    std::size_t next = 0;
  };

  // The key of the node the path leads to, links followed; empty when none.
  [[nodiscard]] std::string Resolve(const std::string& path, int linksLeft = 40) const;
  void Add(const std::string& path, Node node);
  Node& At(const std::string& path);
  const Node* Find(const std::string& key) const;
  static Node DirectoryNode(std::string name, std::uint32_t attributes = 0);
  static void Describe(const Node& node, ListedEntry& entry);

  std::map<std::string, Node> nodes_;  // key: the canonical path in upper case
  std::set<std::string> finalPathFailures_;
  std::map<std::uintptr_t, Listing> listings_;
  std::uintptr_t lastListing_ = 0;
  std::vector<std::string> calls_;
};

}  // namespace zobl::testing
