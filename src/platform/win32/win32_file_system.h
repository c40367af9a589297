#pragma once

#include "platform/file_system.h"

namespace zobl::win32 {

class Win32FileSystem final : public FileSystem {
 public:
  [[nodiscard]] bool IsExistingDirectory(const char* path) override;
  [[nodiscard]] bool IsExistingFile(const char* path) override;
  [[nodiscard]] std::optional<FoundEntry> FindEntry(const char* path) override;
  [[nodiscard]] std::optional<FullPath> GetFullPath(const char* path) override;
  [[nodiscard]] std::string WindowsDirectory() override;
  [[nodiscard]] zobl::SharedFolderList SharedFolders() override;
  [[nodiscard]] std::optional<std::string> FinalPath(const char* directory) override;
  [[nodiscard]] std::optional<std::string> ExpandEnvironment(const char* text) override;
};

}  // namespace zobl::win32
