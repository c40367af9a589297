// Where a row's directory and started command come from when the command is stored as
// an expandable text or names no path: one descriptor per case over the fakes.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "fake_file_system.h"
#include "fake_registry.h"
#include "file_time.h"
#include "inventory/inventory_list.h"
#include "inventory/inventory_refresh.h"
#include "inventory/uninstall_key.h"
#include "ui/command_to_start.h"
#include "platform/portable_locale.h"

namespace zobl::testing {
namespace {

constexpr std::uint32_t kText = 1;
constexpr std::uint32_t kExpandable = 2;

struct StoredText {
  std::uint32_t type;
  const char* text;
};

struct RowDirectoryCase {
  const char* name;
  RegistrySource source;
  std::optional<StoredText> command;
  std::optional<StoredText> installLocation;
  const char* directory;  // nullptr: none (no ordinary existing one)
  const char* date;       // nullptr: unknown
  bool fromInstallLocation;
  const char* started;  // the line the started program receives; "": nothing started
  int status;
};

void PrintTo(const RowDirectoryCase& c, std::ostream* out) { *out << c.name; }

// Expansions one byte past a value buffer's capacity for text, and exactly at it.
const std::string kPastCapacity = "C:\\Programs\\Own\\uninst.exe /" + std::string(1024 - 28, 'z');
const std::string kAtCapacity = "C:\\Programs\\Own\\uninst.exe /" + std::string(1023 - 28, 'y');

const RowDirectoryCase kCases[] = {
    {"MsiWithExistingLocation", RegistrySource::Machine64, StoredText{kText, "MsiExec.exe /X{A1}"},
     StoredText{kText, " \tC:\\programs\\MSIAPP~1\\  "}, "C:\\Programs\\Msi App", "2021.03.04", true,
     "\"MsiExec.exe\" /X{A1}", kStatusOk},
    {"MsiWithMissingLocation", RegistrySource::Machine64, StoredText{kText, "MsiExec.exe /X{A2}"},
     StoredText{kText, "C:\\Programs\\Gone"}, nullptr, nullptr, false, "\"MsiExec.exe\" /X{A2}", kStatusOk},
    {"LocationInsideTheWindowsDirectory", RegistrySource::Machine64, StoredText{kText, "MsiExec.exe /X{A3}"},
     StoredText{kText, "c:\\windows\\Installer\\Pkg"}, nullptr, nullptr, false, "\"MsiExec.exe\" /X{A3}", kStatusOk},
    {"LocationIsTheWindowsDirectory", RegistrySource::Machine64, StoredText{kText, "MsiExec.exe /X{A4}"},
     StoredText{kText, "C:\\WINDOWS\\"}, nullptr, nullptr, false, "\"MsiExec.exe\" /X{A4}", kStatusOk},
    {"LocationIsADriveRoot", RegistrySource::Machine64, StoredText{kText, "MsiExec.exe /X{A5}"},
     StoredText{kText, "C:\\"}, nullptr, nullptr, false, "\"MsiExec.exe\" /X{A5}", kStatusOk},
    {"RelativeLocation", RegistrySource::Machine64, StoredText{kText, "MsiExec.exe /X{A6}"},
     StoredText{kText, "Programs\\Msi App"}, nullptr, nullptr, false, "\"MsiExec.exe\" /X{A6}", kStatusOk},
    {"CommandFindsItsOwnDirectory", RegistrySource::Machine64, StoredText{kText, "C:\\Programs\\Own\\uninst.exe"},
     StoredText{kText, "C:\\Programs\\Msi App"}, "C:\\Programs\\Own", "2000.04.14", false,
     "\"C:\\Programs\\Own\\uninst.exe\"", kStatusOk},
    {"DeadCommandPathStillWarns", RegistrySource::Machine64, StoredText{kText, "C:\\Gone\\uninst.exe"},
     StoredText{kText, "C:\\Programs\\Msi App"}, "C:\\Programs\\Msi App", "2021.03.04", true, "", kStatusWarning},
    {"NoCommandTakesTheLocation", RegistrySource::User, std::nullopt, StoredText{kText, "C:\\Programs\\Msi App"},
     "C:\\Programs\\Msi App", "2021.03.04", true, "", kStatusWarning},
    {"ExpandableLocation", RegistrySource::Machine64, StoredText{kText, "MsiExec.exe /X{A7}"},
     StoredText{kExpandable, "%ProgramFiles%\\Acme"}, "C:\\Program Files\\Acme", "2019.11.02", true,
     "\"MsiExec.exe\" /X{A7}", kStatusOk},
    {"ExpandableCommand", RegistrySource::Machine64, StoredText{kExpandable, "%ProgramFiles%\\Acme\\uninst.exe /S"},
     std::nullopt, "C:\\Program Files\\Acme", "2019.11.02", false, "\"C:\\Program Files\\Acme\\uninst.exe\" /S",
     kStatusOk},
    {"ExpandableCommandOfThe32BitView", RegistrySource::Machine32,
     StoredText{kExpandable, "%PROGRAMFILES%\\Acme\\uninst.exe /S"}, std::nullopt, "C:\\Program Files (x86)\\Acme",
     "2018.06.30", false, "\"C:\\Program Files (x86)\\Acme\\uninst.exe\" /S", kStatusOk},
    {"CommonFilesOfThe32BitView", RegistrySource::Machine32,
     StoredText{kExpandable, "%CommonProgramFiles%\\Acme\\remove.exe"}, std::nullopt,
     "C:\\Program Files (x86)\\Common Files\\Acme", "2000.04.14", false,
     "\"C:\\Program Files (x86)\\Common Files\\Acme\\remove.exe\"", kStatusOk},
    {"TextWithPercentSignsIsNotExpanded", RegistrySource::Machine64,
     StoredText{kText, "%ProgramFiles%\\Acme\\uninst.exe"}, std::nullopt, nullptr, nullptr, false,
     "\"%ProgramFiles%\\Acme\\uninst.exe\"", kStatusOk},
    {"ExpansionPastTheCapacityIsNotUsed", RegistrySource::Machine64, StoredText{kExpandable, "%Long%"}, std::nullopt,
     nullptr, nullptr, false, "\"%Long%\"", kStatusOk},
    {"ExpansionAtTheCapacityIsUsed", RegistrySource::Machine64, StoredText{kExpandable, "%Edge%"}, std::nullopt,
     "C:\\Programs\\Own", "2000.04.14", false, nullptr, kStatusOk},
};

class RowDirectoryTest : public ::testing::TestWithParam<RowDirectoryCase> {
 protected:
  RowDirectoryTest() {
    registry_.CreateKey(kUninstallKeyPath, RegistrySource::Machine64);
    registry_.CreateKey(kUninstallKeyPath, RegistrySource::Machine32);
    registry_.CreateKey(kUninstallKeyPath, RegistrySource::User);
    files_.AddDirectory("C:\\WINDOWS");
    files_.AddDirectory("C:\\WINDOWS\\Installer");
    files_.AddDirectory("C:\\WINDOWS\\Installer\\Pkg");
    files_.AddDirectory("C:\\Programs");
    files_.AddDirectory("C:\\Programs\\Msi App", FileTimeFromUtc(2021, 3, 4, 10), "MSIAPP~1");
    files_.AddDirectory("C:\\Programs\\Own");
    files_.AddFile("C:\\Programs\\Own\\uninst.exe");
    files_.AddDirectory("C:\\Program Files");
    files_.AddDirectory("C:\\Program Files\\Acme", FileTimeFromUtc(2019, 11, 2, 10));
    files_.AddFile("C:\\Program Files\\Acme\\uninst.exe");
    files_.AddDirectory("C:\\Program Files (x86)");
    files_.AddDirectory("C:\\Program Files (x86)\\Acme", FileTimeFromUtc(2018, 6, 30, 10));
    files_.AddFile("C:\\Program Files (x86)\\Acme\\uninst.exe");
    files_.AddDirectory("C:\\Program Files (x86)\\Common Files");
    files_.AddDirectory("C:\\Program Files (x86)\\Common Files\\Acme");
    files_.AddFile("C:\\Program Files (x86)\\Common Files\\Acme\\remove.exe");
    files_.SetVariable("ProgramFiles", "C:\\Program Files");
    files_.SetVariable("ProgramFiles(x86)", "C:\\Program Files (x86)");
    files_.SetVariable("CommonProgramFiles", "C:\\Program Files\\Common Files");
    files_.SetVariable("CommonProgramFiles(x86)", "C:\\Program Files (x86)\\Common Files");
    files_.SetVariable("Long", kPastCapacity);
    files_.SetVariable("Edge", kAtCapacity);
  }

  FakeRegistry registry_;
  FakeFileSystem files_;
  PortableLocale locale_;
  InventoryList list_{locale_};
  InventoryRefresher refresher_{registry_, files_, locale_, list_};
};

TEST_P(RowDirectoryTest, Row) {
  const RowDirectoryCase& c = GetParam();
  const std::string path = std::string(kUninstallKeyPath) + "\\Program";
  registry_.CreateKey(path, c.source);
  registry_.SetText(path, "DisplayName", "Program", c.source);
  if (c.command)
    registry_.SetTypedValue(path, "UninstallString", c.command->type, c.command->text + std::string(1, '\0'), c.source);
  if (c.installLocation) {
    registry_.SetTypedValue(path, "InstallLocation", c.installLocation->type,
                            c.installLocation->text + std::string(1, '\0'), c.source);
  }
  refresher_.RefreshInventory();

  ASSERT_EQ(list_.Count(), 1u);
  const UninstallEntry& row = list_.RowAt(0);
  EXPECT_EQ(row.source, c.source);
  const auto maybe = [](const char* text) { return text ? std::optional<std::string>(text) : std::nullopt; };
  EXPECT_EQ(row.command, maybe(c.command ? c.command->text : nullptr)) << "the row keeps the stored text";
  EXPECT_EQ(row.directory, maybe(c.directory));
  EXPECT_EQ(row.installDate, maybe(c.date));
  EXPECT_EQ(row.directoryFromInstallLocation, c.fromInstallLocation);
  EXPECT_EQ(row.statusImage, c.status);
  const std::string started =
      c.started != nullptr ? c.started : "\"C:\\Programs\\Own\\uninst.exe\" /" + std::string(1023 - 28, 'y');
  const std::optional<ProgramStart> start = ProgramToStart(row.CommandAsStarted(), files_);
  EXPECT_EQ(start ? start->CommandLine() : "", started);
}

INSTANTIATE_TEST_SUITE_P(Inventory, RowDirectoryTest, ::testing::ValuesIn(kCases), [](const auto& param) {
  return std::string(param.param.name);
});

}  // namespace
}  // namespace zobl::testing
