#include "platform/win32/win32_registry.h"

#include <windows.h>
#include <winternl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "descriptor_keys.h"
#include "inventory/column_text.h"
#include "inventory/inventory_refresh.h"
#include "inventory/uninstall_key.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_locale.h"

namespace zobl::testing {
namespace {

// A descriptor key of the test's own under the Uninstall key, removed afterwards.
class RegistryTest : public ::testing::Test {
 protected:
  RegistryTest()
      : keyName_("ZoblTest-" + std::to_string(GetCurrentProcessId())),
        keyPath_(std::string(kUninstallKeyPath) + "\\" + keyName_) {}

  void SetUp() override { keys_.Create(RegistrySource::Machine64, keyName_); }

  void SetValue(const char* name, DWORD type, const std::string& bytes) {
    keys_.SetValue(RegistrySource::Machine64, keyName_, name, type, bytes);
  }
  void SetText(const char* name, const std::string& text) { SetValue(name, REG_SZ, text + '\0'); }

  bool Read(const char* name, std::string& text) {
    RegistryValueBuffer buffer;
    buffer.fill('#');
    if (!registry_.ReadKeyValue(RegistrySource::Machine64, keyPath_.c_str(), name, buffer)) return false;
    text = buffer.data();
    return true;
  }

  std::string keyName_;
  std::string keyPath_;
  DescriptorKeys keys_;
  win32::Win32Registry system_;
  Registry& registry_ = system_;  // used through the interface, as the program does
};

TEST_F(RegistryTest, ReadsStringValuesUpToTheBuffersSize) {
  struct Row {
    std::size_t characters;
    bool readable;
  };
  for (const Row row : {Row{0, true}, Row{5, true}, Row{1022, true}, Row{1023, true}, Row{1024, false}}) {
    const std::string text(row.characters, 'n');
    SetText("DisplayName", text);
    std::string read;
    EXPECT_EQ(Read("DisplayName", read), row.readable) << row.characters << " characters";
    if (row.readable) {
      EXPECT_EQ(read, text);
    }
  }
}

TEST_F(RegistryTest, UnterminatedValueThatFillsTheBufferIsAFailedRead) {
  SetValue("DisplayName", REG_SZ, std::string(1024, 'n'));  // stored without its zero
  std::string read;
  EXPECT_FALSE(Read("DisplayName", read));
  SetValue("DisplayName", REG_SZ, std::string(1000, 'n'));  // room left: terminated by the reader
  EXPECT_TRUE(Read("DisplayName", read));
  EXPECT_EQ(read, std::string(1000, 'n'));
}

TEST_F(RegistryTest, NonStringValueIsReadAsItsBytes) {
  SetValue("UninstallString", REG_DWORD, std::string("\x41\x42\x43\x00", 4));
  std::string read;
  ASSERT_TRUE(Read("UninstallString", read));
  EXPECT_EQ(read, "ABC");
  SetValue("UninstallString", REG_BINARY, std::string(1024, 'b'));
  EXPECT_FALSE(Read("UninstallString", read));
}

TEST_F(RegistryTest, MissingValueOrKeyIsAFailedRead) {
  RegistryValueBuffer buffer;
  EXPECT_FALSE(registry_.ReadKeyValue(RegistrySource::Machine64, keyPath_.c_str(), "DisplayName", buffer));
  EXPECT_FALSE(registry_.ReadKeyValue(RegistrySource::Machine64, (keyPath_ + "-gone").c_str(), "DisplayName", buffer));
}

TEST_F(RegistryTest, EnumerationListsTheKeyAndTellsTooLongNamesApart) {
  std::vector<std::string> names;
  {
    ScopedRegistryKey uninstall(registry_, RegistrySource::Machine64, kUninstallKeyPath);
    ASSERT_TRUE(uninstall.IsOpen());
    std::array<char, kSubkeyNameCapacity> name{};
    for (std::uint32_t index = 0; registry_.EnumerateSubkey(uninstall.Get(), index, name) == SubkeyStep::Name;
         ++index) {
      names.emplace_back(name.data());
    }
  }
  EXPECT_NE(std::find(names.begin(), names.end(), keyName_), names.end());

  // Names of 203 characters fit; 204 do not.
  for (const std::size_t length : {203u, 204u}) {
    const std::string longName = keyName_ + "\\" + std::string(length, 'k');
    keys_.Create(RegistrySource::Machine64, longName);
    ScopedRegistryKey parent(registry_, RegistrySource::Machine64, keyPath_.c_str());
    ASSERT_TRUE(parent.IsOpen());
    std::array<char, kSubkeyNameCapacity> name{};
    EXPECT_EQ(registry_.EnumerateSubkey(parent.Get(), 0, name), length == 203 ? SubkeyStep::Name : SubkeyStep::TooLong)
        << length << " characters";
    EXPECT_EQ(registry_.EnumerateSubkey(parent.Get(), 1, name), SubkeyStep::End);
    keys_.Delete(RegistrySource::Machine64, longName);
  }
}

TEST_F(RegistryTest, RemoveKeyDeletesALeafAndFailsOnAKeyWithSubkeys) {
  keys_.Create(RegistrySource::Machine64, keyName_ + "\\Part");
  EXPECT_FALSE(registry_.RemoveKey(RegistrySource::Machine64, keyPath_.c_str()));
  EXPECT_TRUE(registry_.RemoveKey(RegistrySource::Machine64, (keyPath_ + "\\Part").c_str()));
  EXPECT_TRUE(registry_.RemoveKey(RegistrySource::Machine64, keyPath_.c_str()));
  Registry::Key key = 0;
  EXPECT_EQ(registry_.OpenKey(RegistrySource::Machine64, keyPath_.c_str(), key), KeyOpening::Missing);
  EXPECT_FALSE(registry_.RemoveKey(RegistrySource::Machine64, keyPath_.c_str()));
}

TEST_F(RegistryTest, OpenAndCloseAKey) {
  Registry::Key key = 0;
  ASSERT_EQ(registry_.OpenKey(RegistrySource::Machine64, keyPath_.c_str(), key), KeyOpening::Opened);
  registry_.CloseKey(key);
  EXPECT_EQ(registry_.OpenKey(RegistrySource::Machine64, (keyPath_ + "\\missing\\deeper").c_str(), key),
            KeyOpening::Missing);
}


// A descriptor whose key lets no one read it (an empty access list) is named by a complete
// reading, with the system's reason, not passed over.
TEST_F(RegistryTest, ADescriptorThatDeniesReadingIsNamed) {
  keys_.Create(RegistrySource::User, keyName_);
  win32::ScopedKey descriptor;  // kept open: its rights let the list be given back
  ASSERT_EQ(RegOpenKeyExW(keys_.Uninstall(RegistrySource::User), std::wstring(keyName_.begin(), keyName_.end()).c_str(),
                          0, READ_CONTROL | WRITE_DAC, descriptor.Receive()),
            ERROR_SUCCESS);
  SECURITY_DESCRIPTOR security;
  ACL empty;
  ASSERT_TRUE(InitializeSecurityDescriptor(&security, SECURITY_DESCRIPTOR_REVISION) &&
              InitializeAcl(&empty, sizeof empty, ACL_REVISION) && SetSecurityDescriptorDacl(&security, TRUE, &empty, FALSE));
  ASSERT_EQ(RegSetKeySecurity(descriptor.Get(), DACL_SECURITY_INFORMATION, &security), ERROR_SUCCESS);
  struct AccessBack {
    HKEY key;
    ~AccessBack() {
      SECURITY_DESCRIPTOR open;
      InitializeSecurityDescriptor(&open, SECURITY_DESCRIPTOR_REVISION);
      SetSecurityDescriptorDacl(&open, TRUE, nullptr, FALSE);  // no list: everyone may
      RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &open);
    }
  } accessBack{descriptor.Get()};

  win32::Win32Registry registry(CP_UTF8);
  win32::Win32FileSystem files(CP_UTF8);
  const win32::Win32Locale locale(CP_UTF8);
  InventoryList list(locale);
  InventoryRefresher refresher(registry, files, locale, list, RegistryReading::Complete);
  ASSERT_TRUE(refresher.RefreshInventory());
  const auto named = std::ranges::find(refresher.Unreadable(), keyName_, &UnreadableDescriptor::keyName);
  ASSERT_NE(named, refresher.Unreadable().end());
  EXPECT_EQ(named->source, RegistrySource::User);
  EXPECT_FALSE(named->reason.empty());
}

// A descriptor named as the Win32 calls cannot spell it (a zero inside), made through the
// native call with a counted name, its DisplayName `shown`.
void CreateCounted(HKEY parent, const std::wstring& name, const std::wstring& shown) {
  using CreateKey = LONG(NTAPI*)(HANDLE*, ACCESS_MASK, OBJECT_ATTRIBUTES*, ULONG, UNICODE_STRING*, ULONG, ULONG*);
  const auto create = reinterpret_cast<CreateKey>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtCreateKey"));
  const auto bytes = static_cast<USHORT>(name.size() * 2);
  UNICODE_STRING counted{bytes, bytes, const_cast<wchar_t*>(name.data())};
  OBJECT_ATTRIBUTES attributes{.Length = sizeof attributes, .RootDirectory = parent, .ObjectName = &counted};
  win32::ScopedKey key;
  ASSERT_EQ(create(reinterpret_cast<HANDLE*>(key.Receive()), KEY_ALL_ACCESS, &attributes, 0, nullptr, 0, nullptr), 0);
  ASSERT_EQ(RegSetValueExW(key.Get(), L"DisplayName", 0, REG_SZ, reinterpret_cast<const BYTE*>(shown.c_str()),
                           static_cast<DWORD>((shown.size() + 1) * 2)),
            ERROR_SUCCESS);
}

// No name hides a descriptor: one with an unpaired surrogate or a zero in its key name is
// listed by the window's reading and the exports' alike, shown with U+FFFD, and removed
// by that very name, as "Remove Line" removes it.
TEST_F(RegistryTest, EveryKeyNameIsListed) {
  const std::wstring base = WideFromUtf8(keyName_);
  CreateCounted(keys_.Uninstall(RegistrySource::User), base + L"-\xD800", L"Surrogate");
  CreateCounted(keys_.Uninstall(RegistrySource::User), base + std::wstring(L"-\0z", 3), L"Zero");
  for (const RegistryReading reading : {RegistryReading::Bounded, RegistryReading::Complete}) {
    const win32::Win32Locale locale;  // the program's code page, UTF-8 as its manifest makes it
    InventoryList list(locale);
    win32::Win32FileSystem files;
    InventoryRefresher refresher(system_, files, locale, list, reading);
    EXPECT_TRUE(refresher.RefreshInventory() && refresher.Unreadable().empty());
    std::vector<std::string> shown;
    for (std::size_t i = 0; i < list.Count(); ++i) {
      const UninstallEntry& row = list.RowAt(i);
      if (row.keyName.starts_with(keyName_)) shown.push_back(*row.name + " " + ColumnText(row, kKeyNameColumn));
    }
    std::ranges::sort(shown);
    EXPECT_EQ(shown, (std::vector<std::string>{"Surrogate " + keyName_ + "-\xEF\xBF\xBD",
                                               "Zero " + keyName_ + "-\xEF\xBF\xBDz"}));
  }
  for (const std::string& keyName : {keyName_ + "-\xED\xA0\x80", keyName_ + "-\xC0\x80z"}) {
    const std::string path = std::string(kUninstallKeyPath) + "\\" + keyName;
    EXPECT_TRUE(registry_.RemoveKey(RegistrySource::User, path.c_str()));
    Registry::Key key = 0;
    EXPECT_EQ(registry_.OpenKey(RegistrySource::User, path.c_str(), key), KeyOpening::Missing);
  }
}

// A descriptor deleted while it is read (its uninstaller at work) tells so, as the
// refresh needs to leave it out as gone rather than unreadable.
TEST_F(RegistryTest, AKeyDeletedWhileOpenTellsItIsDeleted) {
  SetText("DisplayName", "Going");
  ScopedRegistryKey uninstall(registry_, RegistrySource::Machine64, kUninstallKeyPath);
  ASSERT_TRUE(uninstall.IsOpen());
  ScopedRegistryKey descriptor(registry_, uninstall.Get(), keyName_.c_str());
  ASSERT_TRUE(descriptor.IsOpen());
  ASSERT_EQ(keys_.Delete(RegistrySource::Machine64, keyName_), ERROR_SUCCESS);
  RegistryValue value;
  EXPECT_EQ(registry_.EnumerateValue(descriptor.Get(), 0, value), EnumerationStep::Failed);
  EXPECT_EQ(registry_.LastFailure(), kRegistryKeyDeleted);
}

}  // namespace
}  // namespace zobl::testing
