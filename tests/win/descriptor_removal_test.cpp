// Descriptors in each registry source of Wine's registry, listed and removed with a
// copy kept in a real backup file, which `reg import` brings back.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "descriptor_keys.h"
#include "fake_user_interface.h"
#include "platform/win32/scoped_handles.h"
#include "inventory/descriptor_backup.h"
#include "inventory/inventory_refresh.h"
#include "inventory/uninstall_key.h"
#include "ui/list_commands.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_growing_file.h"
#include "platform/win32/win32_local_clock.h"
#include "platform/win32/win32_locale.h"
#include "platform/win32/registry_roots.h"
#include "platform/win32/win32_process_code_page.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/wide_text.h"
#include "child_process.h"
#include "scratch_directory.h"

namespace zobl::testing {
namespace {

using win32::Root;
using win32::ViewFlag;
std::string Path(const std::string& key) { return std::string(kUninstallKeyPath) + "\\" + key; }

using Values = std::map<std::string, std::pair<DWORD, std::string>>;  // name: type, stored bytes

std::string Stored(std::wstring_view text) {
  return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

// Every value of a key as stored, through the system's wide calls (not the program's).
Values ReadValues(RegistrySource source, const std::string& key) {
  Values values;
  win32::ScopedKey open;
  if (RegOpenKeyExA(Root(source), Path(key).c_str(), 0, KEY_READ | ViewFlag(source), open.Receive()) != ERROR_SUCCESS)
    return values;
  for (DWORD index = 0;; ++index) {
    wchar_t name[256];
    DWORD nameLength = 256;
    std::string data(4096, '\0');
    DWORD size = static_cast<DWORD>(data.size());
    DWORD type = 0;
    if (RegEnumValueW(open.Get(), index, name, &nameLength, nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                      &size) != ERROR_SUCCESS) {
      break;
    }
    data.resize(size);
    values[win32::Utf8(std::wstring_view(name, nameLength))] = {type, data};
  }
  return values;
}

// The window's parts that removal needs, in a scratch working directory, over the real
// registry; the test answers the boxes.
class DescriptorRemovalTest : public ::testing::Test {
 protected:
  ~DescriptorRemovalTest() override {
    keys_.Delete(RegistrySource::User, Key("Earlier"));  // made by the import
  }

  std::string Key(const std::string& suffix) const {
    return "~ZoblRemoval" + std::to_string(GetCurrentProcessId()) + suffix;
  }
  void Create(RegistrySource source, const std::string& key, const Values& values) {
    keys_.Create(source, key);
    for (const auto& [name, value] : values) keys_.SetStored(source, key, WideFromUtf8(name), value.first, value.second);
  }
  bool Exists(RegistrySource source, const std::string& key) const { return keys_.Exists(source, key); }
  void DeleteTree(RegistrySource source, const std::string& key) { keys_.Delete(source, key); }
  const UninstallEntry* Row(RegistrySource source, const std::string& key) const {
    for (std::size_t i = 0; i < list_.Count(); ++i) {
      const UninstallEntry& row = list_.RowAt(i);
      if (row.source == source && row.keyName == key) return &row;
    }
    return nullptr;
  }
  void Remove(RegistrySource source, const std::string& key) {
    const UninstallEntry* row = Row(source, key);
    ASSERT_NE(row, nullptr);
    list_.Select(row->id);
    commands_.RemoveSelectedRow();
  }
  std::string BackupText() const {
    std::ifstream file(ScratchFile(), std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
  }
  std::string ScratchFile() const {
    // The C++ library opens by Windows path as well.
    return scratch_.Path() + "\\ZOBL-removed.reg";
  }

  ScratchDirectory scratch_{"removal"};
  ScopedCurrentDirectory current_{scratch_.Path()};
  DescriptorKeys keys_;
  win32::Win32Registry registry_;
  win32::Win32FileSystem files_;
  win32::Win32Locale locale_;
  win32::Win32GrowingFiles backupFiles_;
  win32::Win32LocalClock clock_;
  InventoryList list_{locale_};
  InventoryRefresher refresher_{registry_, files_, locale_, list_};
  FakeDialogs dialogs_;
  FakeShell shell_;
  win32::Win32ProcessCodePage codePage_;
  DescriptorBackup backup_{registry_, backupFiles_, clock_, codePage_};
  ListCommands commands_{list_, registry_, files_, shell_, dialogs_, backup_};
};

using namespace std::literals;

Values Named(const std::string& name) { return {{"DisplayName", {REG_SZ, Stored(win32::Wide(name + '\0'))}}}; }

TEST_F(DescriptorRemovalTest, ThirtyTwoBitAndPerUserDescriptorsAreListedAndRemovedInTheirOwnSource) {
  const std::string key = Key("Both");
  Create(RegistrySource::Machine32, key, Named("Acme (32-bit)"));
  Create(RegistrySource::User, key, Named("Acme (per user)"));
  refresher_.RefreshInventory();
  ASSERT_NE(Row(RegistrySource::Machine32, key), nullptr);
  ASSERT_NE(Row(RegistrySource::User, key), nullptr);
  EXPECT_EQ(Row(RegistrySource::User, key)->name, "Acme (per user)");
  EXPECT_EQ(Row(RegistrySource::Machine64, key), nullptr) << "the 64-bit view has no such key";

  Remove(RegistrySource::User, key);
  EXPECT_FALSE(Exists(RegistrySource::User, key));
  EXPECT_TRUE(Exists(RegistrySource::Machine32, key));
  EXPECT_EQ(Row(RegistrySource::User, key), nullptr);
  Remove(RegistrySource::Machine32, key);
  EXPECT_FALSE(Exists(RegistrySource::Machine32, key));
  refresher_.RefreshInventory();
  EXPECT_EQ(Row(RegistrySource::Machine32, key), nullptr);
}

// A descriptor in any script, with a subkey, whose removal the deletion refuses: the copy
// is taken back out of the file. Saved again and deleted, `reg import` brings back every
// stored byte, and the entry of the file an earlier version left (Windows-1252 here).
TEST_F(DescriptorRemovalTest, ImportOfTheBackupRestoresTheDescriptorValueForValue) {
  std::string kilobyte;
  for (int i = 0; i < 1024; ++i) kilobyte += static_cast<char>(i * 13 + 5);
  const Values values = {
      {"DisplayName", {REG_SZ, Stored(L"メモ帳 \"Quoted\" C:\\Tools\\\0"sv)}},
      {"", {REG_SZ, Stored(L"default\0"sv)}},
      {"Two\r\nlines 😀", {REG_SZ, Stored(L"a name with line breaks\0"sv)}},
      {"UninstallString", {REG_EXPAND_SZ, Stored(L"%ProgramFiles%\\Программа\\удалить.exe\0"sv)}},
      {"Parts", {REG_MULTI_SZ, Stored(L"один\0二\0😀\0\0"sv)}},
      {"EstimatedSize", {REG_DWORD, std::string("\x2A\x01\x00\x80", 4)}},
      {"Stamp", {REG_QWORD, std::string("\x01\x02\x03\x04\x05\x06\x07\xF8", 8)}},
      {"Blob", {REG_BINARY, kilobyte}},
  };
  const Values partValues = {{"Заметка", {REG_SZ, Stored(L"日本語\0"sv)}}};
  const std::string earlierKey = Key("Earlier");
  const Values earlierValues = {{"Café", {REG_EXPAND_SZ, Stored(L"Café\0"sv)}}};
  for (const RegistrySource source : {RegistrySource::Machine32, RegistrySource::User}) {
    SCOPED_TRACE(static_cast<int>(source));
    const std::string key = "ПрограммаZobl" + std::to_string(GetCurrentProcessId());
    const std::string earlier = "REGEDIT4\r\n\r\n; earlier\r\n[HKEY_CURRENT_USER\\" + Path(earlierKey) +
                                "]\r\n\"Caf\xe9\"=hex(2):43,61,66,e9,00\r\n\r\n";
    std::ofstream(ScratchFile(), std::ios::binary) << earlier;
    Create(source, key, values);
    Create(source, key + "\\Детали", partValues);
    ASSERT_EQ(ReadValues(source, key), values);
    refresher_.RefreshInventory();
    Remove(source, key);
    ASSERT_TRUE(Exists(source, key));
    const std::string header = "\xFF\xFE" + Stored(L"Windows Registry Editor Version 5.00\r\n\r\n; earlier\r\n");
    EXPECT_EQ(BackupText().rfind(header, 0), 0u) << "converted";
    EXPECT_EQ(BackupText().find(Stored(L"removed:")), std::string::npos) << "taken back";

    ASSERT_TRUE(backup_.Save(source, key, "メモ帳"));
    DeleteTree(source, key);
    ASSERT_FALSE(Exists(source, key));
    const std::string text = BackupText();
    EXPECT_NE(text.find(Stored(L" ZOBL Quillmoor removed: メモ帳\r\n[")), std::string::npos);

    ASSERT_EQ(RunToEnd("reg.exe import \"" + ScratchFile() + "\""), 0) << "reg import failed or did not end";
    EXPECT_EQ(ReadValues(source, key), values);
    EXPECT_EQ(ReadValues(source, key + "\\Детали"), partValues);
    EXPECT_EQ(ReadValues(RegistrySource::User, earlierKey), earlierValues);

    refresher_.RefreshInventory();
    ASSERT_NE(Row(source, key), nullptr) << "listed again";
    EXPECT_EQ(Row(source, key)->name, "メモ帳 \"Quoted\" C:\\Tools\\");
    DeleteTree(source, key);
    DeleteTree(RegistrySource::User, earlierKey);
    DeleteFileA(ScratchFile().c_str());
    refresher_.RefreshInventory();
  }
}

}  // namespace
}  // namespace zobl::testing
