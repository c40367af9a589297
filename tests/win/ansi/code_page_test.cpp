// Built without the program's manifest, this test runs as the program does on Windows
// before 10 version 1903, where the manifest's UTF-8 code page does not apply: the 8-bit
// calls then carry texts in the ANSI code page (1252 here). The texts that leave the
// program must arrive as they are all the same.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "commandline/inventory_export.h"
#include "inventory/descriptor_backup.h"
#include "inventory/uninstall_key.h"
#include "mainwindow/form_link.h"
#include "platform/win32/scoped_handles.h"
#include "platform/win32/win32_directory_listing.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_growing_file.h"
#include "platform/win32/win32_local_clock.h"
#include "platform/win32/win32_locale.h"
#include "platform/win32/win32_process_code_page.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_tick_source.h"
#include "child_process.h"
#include "scratch_directory.h"

namespace zobl::testing {
namespace {

class NoPump final : public MessagePump {
 public:
  bool Pump() override { return true; }
};

const std::wstring kUninstall = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

std::wstring DisplayName(const std::wstring& key) {
  wchar_t name[64] = {};
  DWORD size = sizeof name;
  const LSTATUS status =
      RegGetValueW(HKEY_CURRENT_USER, (kUninstall + key).c_str(), L"DisplayName", RRF_RT_REG_SZ, nullptr, name, &size);
  return status == ERROR_SUCCESS ? name : L"(none)";
}

// "Müller" as a key name and a name: in the CSV as UTF-8, and in the backup so that
// `reg import` brings the descriptor back under its own name.
TEST(AnsiCodePage, ExportAndBackupCarryNamesExactly) {
  ASSERT_EQ(GetACP(), 1252u) << "this test program must run in the ANSI code page";
  const std::wstring key = L"~ZoblAnsi" + std::to_wstring(GetCurrentProcessId()) + L"M\u00FCller";
  {
    win32::ScopedKey open;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, (kUninstall + key).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              open.Receive(), nullptr),
              ERROR_SUCCESS);
    const std::wstring name = L"M\u00FCller";
    RegSetValueExW(open.Get(), L"DisplayName", 0, REG_SZ, reinterpret_cast<const BYTE*>(name.c_str()),
                   static_cast<DWORD>((name.size() + 1) * sizeof(wchar_t)));
  }
  struct Cleanup {
    std::wstring path;
    ~Cleanup() { RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str()); }
  } cleanup{kUninstall + key};
  const std::string ansiKey = "~ZoblAnsi" + std::to_string(GetCurrentProcessId()) + "M\xFC" "ller";

  win32::Win32Registry registry;
  win32::Win32FileSystem fileSystem;
  win32::Win32Locale locale;
  win32::Win32DirectoryListing listing;
  NoPump pump;
  win32::Win32TickSource ticks;
  win32::Win32ProcessCodePage codePage;
  ExportSystem system{registry, fileSystem, locale, listing, pump, ticks, codePage};
  FormLink noWindow;
  const std::optional<std::string> csv = ExportedInventory(system, {}, noWindow);
  ASSERT_TRUE(csv);
  const std::string utf8Key = "~ZoblAnsi" + std::to_string(GetCurrentProcessId()) + "M\xC3\xBCller";
  EXPECT_NE(csv->find("\r\nM\xC3\xBCller," + utf8Key + ",HKEY_CURRENT_USER\\"), std::string::npos) << *csv;

  const ScratchDirectory scratch("ansi");
  const std::string file = scratch.Path() + "\\ZOBL-removed.reg";
  {
    const ScopedCurrentDirectory inScratch(scratch.Path());
    win32::Win32GrowingFiles files;
    win32::Win32LocalClock clock;
    DescriptorBackup backup(registry, files, clock, codePage);
    ASSERT_TRUE(backup.Save(RegistrySource::User, ansiKey, "M\xFC" "ller"));
  }
  std::ostringstream text;
  text << std::ifstream(file, std::ios::binary).rdbuf();
  EXPECT_NE(text.str().find(std::string("r\0e\0m\0o\0v\0e\0d\0:\0 \0M\0\xFC\0l\0l\0e\0r\0", 26)), std::string::npos);

  ASSERT_EQ(RegDeleteTreeW(HKEY_CURRENT_USER, (kUninstall + key).c_str()), ERROR_SUCCESS);
  ASSERT_EQ(DisplayName(key), L"(none)");
  EXPECT_EQ(RunToEnd("reg.exe import \"" + file + "\""), 0);
  EXPECT_EQ(DisplayName(key), L"M\u00FCller");
}

}  // namespace
}  // namespace zobl::testing
