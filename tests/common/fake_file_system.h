#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "file_time.h"
#include "platform/file_system.h"

namespace zobl::testing {

// An in-memory drive tree with Windows naming: case-insensitive components, each
// reachable by its long name or its 8.3 alias.
class FakeFileSystem final : public FileSystem {
 public:
  static constexpr std::uint64_t kDefaultTime = FileTimeFromUtc(2000, 4, 14, 10);

  // Parents must exist already; the drive ("C:") always does.
  void AddDirectory(const std::string& path, std::uint64_t creationTime = kDefaultTime, std::string shortName = {});
  void AddFile(const std::string& path, bool hasDosTime = true, std::string shortName = {});
  void SetWindowsDirectory(std::string directory) { windowsDirectory_ = std::move(directory); }
  // A variable of the environment that ExpandEnvironment replaces; names ignore case.
  void SetVariable(const std::string& name, std::string value);
  // Searches of this path (any spelling) fail, as for a directory that cannot be listed.
  void DenySearch(const std::string& path);
  // A directory at `path` (its parent must exist) that leads to `target`, as a symbolic
  // link or a junction does: its final path, and its subdirectories', are the target's.
  void AddLink(const std::string& path, std::string target);
  // The file or directory at `path`, and everything under it, is gone.
  void Remove(const std::string& path);

  bool IsExistingDirectory(const char* path) override;
  bool IsExistingFile(const char* path) override;
  std::optional<FoundEntry> FindEntry(const char* path) override;
  std::optional<FullPath> GetFullPath(const char* path) override;
  std::string WindowsDirectory() override { return windowsDirectory_; }
  void SetSharedFolders(zobl::SharedFolderList folders) { sharedFolders_ = std::move(folders); }
  zobl::SharedFolderList SharedFolders() override { return sharedFolders_; }
  // Only paths through a link have one here: the others "cannot be had".
  std::optional<std::string> FinalPath(const char* directory) override;
  // As the system: a %name% of no variable stays as written.
  std::optional<std::string> ExpandEnvironment(const char* text) override;

  // Directory and file questions asked so far.
  [[nodiscard]] int Questions() const { return questions_; }

 private:
  struct Node {
    std::string longName;
    std::string shortName;
    bool isDirectory = false;
    bool hasDosTime = true;
    bool searchable = true;
    std::uint64_t creationTime = kDefaultTime;
  };
  // Key: the long path in upper case; nullptr when the path leads nowhere.
  const Node* Resolve(const std::string& path) const;
  std::string ResolveKey(const std::string& path) const;
  void Add(const std::string& path, Node node);

  std::map<std::string, Node> nodes_;
  std::map<std::string, std::string> aliases_;  // parent's key and alias in upper case: the node's key
  std::string windowsDirectory_ = "C:\\WINDOWS";
  zobl::SharedFolderList sharedFolders_;
  std::map<std::string, std::string> variables_;  // by upper-case name
  std::map<std::string, std::string> links_;      // the link's key: its target
  int questions_ = 0;
};

}  // namespace zobl::testing
