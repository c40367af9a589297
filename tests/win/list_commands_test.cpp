// The list commands' behaviours over Wine's registry, drive and files; the shell and the
// message boxes are the test's (the real ones need the window).
#include "mainwindow/list_commands.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>
#include <utility>

#include "inventory/descriptor_backup.h"
#include "inventory/uninstall_key.h"
#include "list_commands_behaviours.h"
#include "platform/win32/registry_roots.h"
#include "platform/win32/scoped_handles.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_growing_file.h"
#include "platform/win32/win32_locale.h"
#include "platform/win32/win32_registry.h"
#include "scratch_directory.h"

namespace zobl::testing {
namespace {

std::wstring FromUtf8(const std::string& text) {
  if (text.empty()) return {};
  std::wstring wide(text.size(), L'\0');
  const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                                         static_cast<int>(wide.size()));
  wide.resize(static_cast<std::size_t>(length));
  return wide;
}

// Descriptors are made relative to the Uninstall key of each source, opened in its own
// view, and all removed at the end. The backup file goes to a scratch working directory.
class WineWorld final : public CommandsWorld {
 public:
  WineWorld() {
    for (const RegistrySource source : kRegistrySources) {
      if (RegCreateKeyExA(win32::Root(source), kUninstallKeyPath, 0, nullptr, 0,
                          KEY_ALL_ACCESS | win32::ViewFlag(source), nullptr,
                          uninstall_[static_cast<int>(source)].Receive(), nullptr) != ERROR_SUCCESS) {
        throw std::runtime_error("cannot open the Uninstall key");
      }
    }
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof current, current);
    previousDirectory_ = current;
    SetCurrentDirectoryA(scratch_.Path().c_str());
  }
  ~WineWorld() override {
    SetCurrentDirectoryA(previousDirectory_.c_str());
    for (const auto& [source, keyName] : created_) RegDeleteTreeW(Uninstall(source), FromUtf8(keyName).c_str());
    for (const std::string& name : variables_) SetEnvironmentVariableA(name.c_str(), nullptr);
  }

  Registry& System() override { return registry_; }
  FileSystem& Files() override { return files_; }
  GrowingFiles& BackupFiles() override { return backupFiles_; }
  const Locale& TextOrder() override { return locale_; }

  void CreateDescriptor(RegistrySource source, const std::string& keyName) override {
    win32::ScopedKey key;
    if (RegCreateKeyExW(Uninstall(source), FromUtf8(keyName).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        key.Receive(), nullptr) != ERROR_SUCCESS) {
      throw std::runtime_error("cannot create " + keyName);
    }
    created_.emplace(source, keyName);
  }
  void SetValue(RegistrySource source,
                const std::string& keyName,
                const std::string& valueName,
                std::uint32_t type,
                const std::string& bytes) override {
    std::string stored = bytes;
    if (type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ) {
      const std::wstring text = FromUtf8(bytes);
      stored.assign(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    }
    SetStored(source, keyName, FromUtf8(valueName), type, stored);
  }
  void DeleteDescriptor(RegistrySource source, const std::string& keyName) override {
    if (RegDeleteTreeW(Uninstall(source), FromUtf8(keyName).c_str()) != ERROR_SUCCESS) {
      throw std::runtime_error("cannot delete " + keyName);
    }
  }
  bool DescriptorExists(RegistrySource source, const std::string& keyName) override {
    win32::ScopedKey key;
    return RegOpenKeyExW(Uninstall(source), FromUtf8(keyName).c_str(), 0, KEY_READ, key.Receive()) == ERROR_SUCCESS;
  }
  // A value name with half a surrogate pair has no UTF-8 form, so no exact copy.
  void MakeUnreadable(RegistrySource source, const std::string& keyName) override {
    SetStored(source, keyName, std::wstring(1, static_cast<wchar_t>(0xD800)), REG_SZ, std::string(2, '\0'));
  }

  std::string BackupFileBytes() override {
    const win32::ScopedFileHandle file(CreateFileA(BackupPath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string bytes(64 * 1024, '\0');
    DWORD read = 0;
    if (!file.IsValid() || !ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
      read = 0;
    }
    bytes.resize(read);
    return bytes;
  }
  void WriteBackupFile(const std::string& bytes) override {
    const win32::ScopedFileHandle file(
        CreateFileA(BackupPath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!file.IsValid() || !WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) {
      throw std::runtime_error("cannot write " + BackupPath());
    }
  }
  // Running as root, Wine writes into read-only folders; a folder where the file would
  // go cannot be written by anyone.
  void BlockBackupFile() override { CreateDirectoryOrThrow(BackupPath()); }

  std::string ProgramsRoot() override { return scratch_.Path(); }
  void MakeDirectory(const std::string& path) override { CreateDirectoryOrThrow(path); }
  void MakeFile(const std::string& path) override { CreateFileOrThrow(path); }
  void SetVariable(const std::string& name, const std::string& value) override {
    SetEnvironmentVariableA(name.c_str(), value.c_str());
    variables_.insert(name);
  }

 private:
  HKEY Uninstall(RegistrySource source) const { return uninstall_[static_cast<int>(source)].Get(); }
  std::string BackupPath() const { return scratch_.Path() + "\\" + kBackupFileName; }
  void SetStored(RegistrySource source,
                 const std::string& keyName,
                 const std::wstring& valueName,
                 DWORD type,
                 const std::string& stored) {
    win32::ScopedKey key;
    if (RegOpenKeyExW(Uninstall(source), FromUtf8(keyName).c_str(), 0, KEY_SET_VALUE, key.Receive()) != ERROR_SUCCESS ||
        RegSetValueExW(key.Get(), valueName.c_str(), 0, type, reinterpret_cast<const BYTE*>(stored.data()),
                       static_cast<DWORD>(stored.size())) != ERROR_SUCCESS) {
      throw std::runtime_error("cannot set a value of " + keyName);
    }
  }

  ScratchDirectory scratch_{"commands"};
  std::string previousDirectory_;
  win32::ScopedKey uninstall_[3];
  std::set<std::pair<RegistrySource, std::string>> created_;
  std::set<std::string> variables_;
  win32::Win32Registry registry_;
  win32::Win32FileSystem files_;
  win32::Win32GrowingFiles backupFiles_;
  win32::Win32Locale locale_;
};

class ListCommandsOnWineTest : public ::testing::TestWithParam<CommandsBehaviour> {};

TEST_P(ListCommandsOnWineTest, Holds) {
  WineWorld world;
  CommandsHarness harness(world, "ZoblCommands" + std::to_string(GetCurrentProcessId()) + "-");
  GetParam().run(harness);
}

INSTANTIATE_TEST_SUITE_P(ListCommands,
                         ListCommandsOnWineTest,
                         ::testing::ValuesIn(ListCommandsBehaviours()),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace zobl::testing
