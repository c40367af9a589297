// Feeds arbitrary UninstallString and InstallLocation values (type and bytes) of a
// descriptor in any source to the refresh's row builder, over the fake registry and a
// fake drive with environment variables, and checks what every row must satisfy: the
// column keeps the stored command, only an expandable command is expanded and within
// a value's capacity, the directory is an existing one outside the Windows directory
// that comes from the command or else from InstallLocation, and the command to start
// differs from the command only by quotes around its program.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fake_file_system.h"
#include "fake_registry.h"
#include "fuzz_checks.h"
#include "inventory/command_analysis.h"
#include "inventory/inventory_list.h"
#include "inventory/inventory_refresh.h"
#include "inventory/column_text.h"
#include "shown_texts.h"
#include "inventory/uninstall_key.h"
#include "ui/command_to_start.h"
#include "platform/capacities.h"
#include "platform/path_rules.h"
#include "platform/portable_locale.h"

namespace {

using zobl::ContainsPathIgnoringCase;
using zobl::RegistrySource;
using zobl::fuzzing::Check;
using zobl::testing::FakeFileSystem;
using zobl::testing::FakeRegistry;

constexpr char kKeyName[] = "Program";
constexpr std::uint32_t kExpandable = 2;
// Text, expandable text (twice as likely), and a list of texts, which is never expanded.
constexpr std::uint32_t kTypes[] = {1, kExpandable, kExpandable, 7};

const std::string& DescriptorPath() {
  static const std::string path = std::string(zobl::kUninstallKeyPath) + '\\' + kKeyName;
  return path;
}

FakeFileSystem& Drive() {
  static FakeFileSystem* drive = [] {
    auto* fs = new FakeFileSystem;
    fs->AddDirectory("C:\\WINDOWS");
    fs->AddDirectory("C:\\WINDOWS\\Installer");
    fs->AddFile("C:\\WINDOWS\\acmeun.exe");
    fs->AddDirectory("C:\\Program Files", FakeFileSystem::kDefaultTime, "PROGRA~1");
    fs->AddDirectory("C:\\Program Files\\Acme Tools", FakeFileSystem::kDefaultTime, "ACMETO~1");
    fs->AddFile("C:\\Program Files\\Acme Tools\\unins000.exe");
    fs->AddDirectory("C:\\Program Files\\Common Files");
    fs->AddDirectory("C:\\Program Files (x86)", FakeFileSystem::kDefaultTime, "PROGRA~2");
    fs->AddDirectory("C:\\Program Files (x86)\\Acme");
    fs->AddFile("C:\\Program Files (x86)\\Acme\\un.exe");
    fs->AddDirectory("C:\\Program Files (x86)\\Common Files");
    fs->AddDirectory("C:\\Acme");
    fs->AddFile("C:\\Acme\\remove.exe");
    fs->AddDirectory("C:\\Acme\\Data", 0x8000000000000000ull);
    fs->AddFile("C:\\ACME.EXE");
    fs->SetVariable("ProgramFiles", "C:\\Program Files");
    fs->SetVariable("ProgramFiles(x86)", "C:\\Program Files (x86)");
    fs->SetVariable("CommonProgramFiles", "C:\\Program Files\\Common Files");
    fs->SetVariable("CommonProgramFiles(x86)", "C:\\Program Files (x86)\\Common Files");
    fs->SetVariable("SystemRoot", "C:\\WINDOWS");
    fs->SetVariable("Half", "%Program");             // a value that opens another reference
    fs->SetVariable("Wide", std::string(600, 'w'));  // twice past a value's capacity
    return fs;
  }();
  return *drive;
}

FakeRegistry& Registry() {
  static FakeRegistry* registry = [] {
    auto* fake = new FakeRegistry;
    for (const RegistrySource source : zobl::kRegistrySources) {
      fake->CreateKey(DescriptorPath(), source);
      fake->SetText(DescriptorPath(), "DisplayName", "Program", source);
    }
    return fake;
  }();
  return *registry;
}

// A value as the fuzz input stores it: its type and raw bytes, a terminating zero or not.
struct StoredValue {
  std::uint32_t type;
  std::string bytes;

  // What a read gives: the text up to the first zero, or nothing when the bytes do not
  // fit a value buffer or fill it without a zero.
  [[nodiscard]] std::optional<std::string> ReadText() const {
    const std::size_t zero = bytes.find('\0');
    if (bytes.size() > zobl::kRegistryValueCapacity) return std::nullopt;
    if (bytes.size() == zobl::kRegistryValueCapacity && zero == std::string::npos) return std::nullopt;
    return bytes.substr(0, zero);
  }
};

// The program started is an existing file that the command names from its start, ".exe"
// added at most, the rest of the command being its arguments; or a name the system looks up.
void CheckProgramToStart(const std::string& command, FakeFileSystem& fs) {
  const std::optional<zobl::ProgramStart> start = zobl::ProgramToStart(command, fs);
  if (!start) return;
  Check(command.ends_with(start->arguments));
  if (start->lookedUpBySystem) return;
  Check(fs.IsExistingFile(start->program.c_str()));
  const std::size_t begin = command.find_first_not_of(" \t");
  const bool quoted = command[begin] == '"';
  std::string named = command.substr(begin + (quoted ? 1 : 0));
  named.resize(named.size() - start->arguments.size());
  if (quoted && named.ends_with('"')) named.pop_back();
  Check(start->program == named || start->program == named + ".exe");
}

void CheckRow(const zobl::UninstallEntry& row,
              RegistrySource source,
              const std::optional<StoredValue>& command,
              const std::optional<StoredValue>& location,
              const std::string& windows,
              FakeFileSystem& fs) {
  const zobl::PortableLocale locale;
  Check(row.source == source && row.name == "Program");
  Check(row.keyName == kKeyName && zobl::ColumnText(row, zobl::kSizeColumn) == zobl::kNotYetComputedText);

  const std::optional<std::string> commandText = command ? command->ReadText() : std::nullopt;
  Check(zobl::ColumnText(row, zobl::kCommandColumn) == commandText.value_or(zobl::kNoCommandText));
  if (!row.expandedCommand.empty()) {
    Check(command->type == kExpandable && row.expandedCommand != zobl::ColumnText(row, zobl::kCommandColumn));
    Check(row.expandedCommand.size() < zobl::kRegistryValueCapacity);
  }
  // A 32-bit program never sees the 64-bit program folders through its variables.
  if (source == RegistrySource::Machine32 &&
      !ContainsPathIgnoringCase(zobl::ColumnText(row, zobl::kCommandColumn), "C:\\Program Files", locale)) {
    Check(!ContainsPathIgnoringCase(row.expandedCommand, "C:\\Program Files", locale));
  }

  const zobl::CommandAnalysis ofCommand = zobl::AnalyseCommand(row.CommandAsStarted(), windows, fs, locale);
  Check(row.statusImage == (commandText && !ofCommand.deadPath ? zobl::kStatusOk : zobl::kStatusWarning));
  const std::string& directory = zobl::ColumnText(row, zobl::kSupposedDirectoryColumn);
  if (directory == zobl::kMissingDirectoryText) {
    Check(!row.directoryFromInstallLocation &&
          zobl::ColumnText(row, zobl::kInstallDateColumn) == zobl::kUnknownDateText);
  } else {
    Check(directory.size() > 3 && directory.size() < zobl::kPathCapacity);
    Check(fs.IsExistingDirectory(directory.c_str()));
    if (!windows.empty()) Check(!ContainsPathIgnoringCase(directory, windows, locale));
    const std::string& date = zobl::ColumnText(row, zobl::kInstallDateColumn);
    Check(date == zobl::kUnknownDateText || (date.size() == 10 && date[4] == '.' && date[7] == '.'));
    // The command's own directory first; InstallLocation only when it names none.
    if (row.directoryFromInstallLocation) {
      Check(location.has_value() && !ofCommand.directoryFound);
    } else {
      Check(ofCommand.directoryFound && ofCommand.chosenDirectory == directory);
    }
  }
  CheckProgramToStart(row.CommandAsStarted(), fs);
}

}  // namespace

// Input: a byte of choices (source, Windows directory, which values exist, a
// terminating zero for each), a byte of the two value types, then the UninstallString
// bytes, a 0xFF byte, and the InstallLocation bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::uint8_t choices = data[0];
  const RegistrySource source = zobl::kRegistrySources[(choices & 3) % 3];
  static const std::string kWindowsDirectories[] = {"C:\\WINDOWS", "c:\\windows", ""};
  const std::string& windows = kWindowsDirectories[((choices >> 2) & 3) % 3];
  const std::string_view rest(reinterpret_cast<const char*>(data + 2), size - 2);
  const std::size_t separator = std::min(rest.find('\xFF'), rest.size());

  std::optional<StoredValue> command;
  std::optional<StoredValue> location;
  if ((choices & 0x10) == 0) command = StoredValue{kTypes[data[1] & 3], std::string(rest.substr(0, separator))};
  if ((choices & 0x20) == 0 && separator < rest.size()) {
    location = StoredValue{kTypes[(data[1] >> 2) & 3], std::string(rest.substr(separator + 1))};
  }
  if (command && (choices & 0x40) == 0) command->bytes += '\0';
  if (location && (choices & 0x80) == 0) location->bytes += '\0';

  FakeRegistry& registry = Registry();
  FakeFileSystem& fs = Drive();
  fs.SetWindowsDirectory(windows);
  if (command) registry.SetTypedValue(DescriptorPath(), "UninstallString", command->type, command->bytes, source);
  if (location) registry.SetTypedValue(DescriptorPath(), "InstallLocation", location->type, location->bytes, source);

  const zobl::PortableLocale locale;
  zobl::InventoryList list(locale);
  zobl::InventoryRefresher refresher(registry, fs, locale, list);
  refresher.AddInventoryRow(source, DescriptorPath(), kKeyName, fs.WindowsDirectory());
  Check(list.Count() == 1 && registry.OpenKeyCount() == 0);
  CheckRow(list.RowAt(0), source, command, location, windows, fs);

  registry.DeleteValue(DescriptorPath(), "UninstallString", source);
  registry.DeleteValue(DescriptorPath(), "InstallLocation", source);
  return 0;
}
