// Built without the program's manifest, this test runs as the program does on Windows
// before 10 version 1903, where the manifest's UTF-8 code page does not apply: the 8-bit
// calls then carry texts in the ANSI code page (1252 here). The texts that leave the
// program must arrive as they are all the same.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "inventory/descriptor_backup.h"
#include "inventory/uninstall_key.h"
#include "platform/win32/scoped_handles.h"
#include "platform/win32/win32_growing_file.h"
#include "platform/win32/win32_local_clock.h"
#include "platform/win32/win32_process_code_page.h"
#include "platform/win32/win32_registry.h"
#include "child_process.h"
#include "scratch_directory.h"

namespace zobl::testing {
namespace {

const std::wstring kUninstall = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

std::wstring DisplayName(const std::wstring& key) {
  wchar_t name[64] = {};
  DWORD size = sizeof name;
  const LSTATUS status =
      RegGetValueW(HKEY_CURRENT_USER, (kUninstall + key).c_str(), L"DisplayName", RRF_RT_REG_SZ, nullptr, name, &size);
  return status == ERROR_SUCCESS ? name : L"(none)";
}

// "Müller" as a key name and a name: in the backup so that `reg import` brings the
// descriptor back under its own name. (The exports read with the wide calls: the console
// check runs the companion in this code page.)
TEST(AnsiCodePage, BackupCarriesNamesExactly) {
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
  win32::Win32ProcessCodePage codePage;
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
