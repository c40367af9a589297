#include "platform/win32/win32_registry.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "descriptor_keys.h"
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

}  // namespace
}  // namespace zobl::testing
