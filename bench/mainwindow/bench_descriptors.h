#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "inventory/uninstall_key.h"

namespace zobl::bench {

inline constexpr int kDescriptors = 1000;
inline constexpr char kBenchKeyPrefix[] = "ZoblStartupBench";

// Two kinds of descriptors as setup programs leave them.
enum class DescriptorKind {
  // A product code and a command naming no path, as installer packages leave them:
  // the refresh costs registry calls only.
  Package,
  // An uninstaller in a program directory, a tenth of which exist on disk, the rest
  // having gone with their program: the command analysis asks the file system too.
  ProgramDirectory,
  // An uninstaller in each program's own directory, every one of them there, side by
  // side under one parent as in Program Files: each lookup there is in a folder of 1,000.
  InstalledDirectory,
};

inline bool DirectoryPresent(DescriptorKind kind, int index) {
  return kind == DescriptorKind::InstalledDirectory || (kind == DescriptorKind::ProgramDirectory && index % 10 == 0);
}

class BenchDescriptors {
 public:
  explicit BenchDescriptors(DescriptorKind kind) : kind_(kind) {
    CreateDirectoryA("C:\\ZoblStartupBench", nullptr);
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, kUninstallKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &uninstall_,
                    nullptr);
    for (int i = 0; i < kDescriptors; ++i) {
      const std::string directory = "C:\\ZoblStartupBench\\App" + std::to_string(i);
      if (DirectoryPresent(kind, i)) {
        CreateDirectoryA(directory.c_str(), nullptr);
        CloseHandle(CreateFileA((directory + "\\uninstall.exe").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
      }
      const std::string name = kBenchKeyPrefix + std::to_string(i);
      const std::string displayName = "Startup bench program " + std::to_string(i * 7919 % kDescriptors);
      const std::string command = kind == DescriptorKind::Package
                                      ? "MsiExec.exe /X{" + std::to_string(1000000 + i) + "}"
                                      : "\"" + directory + "\\uninstall.exe\" /S";
      HKEY key = nullptr;
      RegCreateKeyExA(uninstall_, name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
      RegSetValueExA(key, "DisplayName", 0, REG_SZ, reinterpret_cast<const BYTE*>(displayName.c_str()),
                     static_cast<DWORD>(displayName.size() + 1));
      RegSetValueExA(key, "UninstallString", 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                     static_cast<DWORD>(command.size() + 1));
      RegCloseKey(key);
      names_.push_back(name);
    }
  }
  ~BenchDescriptors() {
    for (const std::string& name : names_) RegDeleteKeyA(uninstall_, name.c_str());
    RegCloseKey(uninstall_);
    for (int i = 0; i < kDescriptors; ++i) {
      if (!DirectoryPresent(kind_, i)) continue;
      const std::string directory = "C:\\ZoblStartupBench\\App" + std::to_string(i);
      DeleteFileA((directory + "\\uninstall.exe").c_str());
      RemoveDirectoryA(directory.c_str());
    }
    RemoveDirectoryA("C:\\ZoblStartupBench");
  }
  BenchDescriptors(const BenchDescriptors&) = delete;
  BenchDescriptors& operator=(const BenchDescriptors&) = delete;

 private:
  DescriptorKind kind_;
  HKEY uninstall_ = nullptr;
  std::vector<std::string> names_;
};

}  // namespace zobl::bench
