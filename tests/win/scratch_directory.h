#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zobl::testing {

// A directory of the test's own on drive C:, removed with everything in it at the end.
class ScratchDirectory {
 public:
  explicit ScratchDirectory(const std::string& purpose);
  ~ScratchDirectory();
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  [[nodiscard]] const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

// `path` as the working directory for as long as this lives; the one before it afterwards.
class ScopedCurrentDirectory {
 public:
  explicit ScopedCurrentDirectory(const std::string& path);
  ~ScopedCurrentDirectory();
  ScopedCurrentDirectory(const ScopedCurrentDirectory&) = delete;
  ScopedCurrentDirectory& operator=(const ScopedCurrentDirectory&) = delete;

 private:
  std::string previous_;
};

// Files and directories a test puts where the program looks for them, outside any
// scratch directory: removed at the end however the test ends.
class PlantedPaths {
 public:
  PlantedPaths() = default;
  ~PlantedPaths();
  PlantedPaths(const PlantedPaths&) = delete;
  PlantedPaths& operator=(const PlantedPaths&) = delete;

  // Returns `path`, removed (a file, or a directory with everything in it) at the end.
  const std::string& Add(const std::string& path);

 private:
  std::vector<std::string> paths_;
};

void CreateDirectoryOrThrow(const std::string& path);
void CreateFileOrThrow(const std::string& path, std::uint64_t size = 0);
// Sets creation, access and write times (Wine reports the write time as creation time).
void SetDirectoryTimes(const std::string& path, std::uint64_t fileTime);
void RemoveTree(const std::string& path);
// A file, or a directory with everything in it, read-only or not. A program started from
// there may still be ending and holding its file: tries again, for a few seconds at most.
void RemoveWhenFreed(const std::string& path);

}  // namespace zobl::testing
