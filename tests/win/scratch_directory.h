#pragma once

#include <cstdint>
#include <string>

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

void CreateDirectoryOrThrow(const std::string& path);
void CreateFileOrThrow(const std::string& path, std::uint64_t size = 0);
// Sets creation, access and write times (Wine reports the write time as creation time).
void SetDirectoryTimes(const std::string& path, std::uint64_t fileTime);
void RemoveTree(const std::string& path);

}  // namespace zobl::testing
