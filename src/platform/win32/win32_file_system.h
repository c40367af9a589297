#pragma once

#include <windows.h>

#include "platform/file_system.h"

namespace zobl::win32 {

// The file-system questions through the wide calls, the program's texts converted at this
// edge from and to `codePage` (see Win32Registry): buffers count bytes of those texts, as
// the 8-bit calls' would.
class Win32FileSystem final : public FileSystem {
 public:
  explicit Win32FileSystem(UINT codePage = CP_ACP) : codePage_(codePage) {}

  [[nodiscard]] bool IsExistingDirectory(const char* path) override;
  [[nodiscard]] bool IsExistingFile(const char* path) override;
  [[nodiscard]] std::optional<FoundEntry> FindEntry(const char* path) override;
  [[nodiscard]] std::optional<FullPath> GetFullPath(const char* path) override;
  [[nodiscard]] std::string WindowsDirectory() override;
  [[nodiscard]] zobl::SharedFolderList SharedFolders() override;
  [[nodiscard]] std::optional<std::string> FinalPath(const char* directory) override;
  [[nodiscard]] std::optional<std::string> ExpandEnvironment(const char* text) override;

 private:
  UINT codePage_;
};

}  // namespace zobl::win32
