// Feeds arbitrary uninstall commands to the analysis over a small fake drive and
// checks what every result must satisfy.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fake_file_system.h"
#include "fuzz_checks.h"
#include "inventory/command_analysis.h"
#include "platform/path_rules.h"
#include "platform/portable_locale.h"

namespace {

using zobl::fuzzing::Check;
using zobl::testing::FakeFileSystem;

FakeFileSystem& Drive() {
  static FakeFileSystem* drive = [] {
    auto* fs = new FakeFileSystem;
    fs->AddDirectory("C:\\WINDOWS");
    fs->AddFile("C:\\WINDOWS\\acmeun.exe");
    fs->AddDirectory("C:\\Program Files", FakeFileSystem::kDefaultTime, "PROGRA~1");
    fs->AddDirectory("C:\\Program Files\\Acme Tools", FakeFileSystem::kDefaultTime, "ACMETO~1");
    fs->AddFile("C:\\Program Files\\Acme Tools\\unins000.exe");
    fs->AddDirectory("C:\\Acme");
    fs->AddDirectory("C:\\Acme -F");
    fs->AddFile("C:\\Acme\\remove.exe");
    fs->AddFile("C:\\Acme\\Uninst.isu", /*hasDosTime=*/false);
    fs->AddDirectory("C:\\Acme\\Data", 0x8000000000000000ull);
    fs->AddFile("C:\\ACME.EXE");
    return fs;
  }();
  return *drive;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte picks the Windows directory; the rest is the command, as a registry
  // value of at most 1023 characters would hold it.
  static constexpr std::string_view kWindowsDirectories[] = {"C:\\WINDOWS", "c:\\windows", ""};
  const std::string_view windows = kWindowsDirectories[data[0] % 3];
  std::string command(reinterpret_cast<const char*>(data + 1), std::min<std::size_t>(size - 1, 1023));
  command = command.substr(0, command.find('\0'));

  FakeFileSystem& fs = Drive();
  const zobl::PortableLocale locale;
  const zobl::CommandAnalysis result = zobl::AnalyseCommand(command, windows, fs, locale);

  Check(result.directoryFound == !result.chosenDirectory.empty());
  Check(result.chosenDirectory.size() <= 259);
  Check(result.date.value_or("").size() <= 31);
  if (result.directoryFound) {
    Check(result.chosenDirectory.size() > 3);
    Check(fs.IsExistingDirectory(result.chosenDirectory.c_str()));
    Check(result.chosenDirectory[0] == 'C');
    if (!windows.empty()) Check(!zobl::ContainsPathIgnoringCase(result.chosenDirectory, windows, locale));
  } else {
    Check(!result.date.has_value());
  }
  return 0;
}
