#include <windows.h>

#include <gtest/gtest.h>

#include "command_analysis_cases.h"
#include "file_time.h"
#include "inventory/command_analysis.h"
#include "inventory/long_path.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_locale.h"
#include "scratch_directory.h"

namespace zobl::testing {
namespace {

class AnalysisOnDiskTest : public ::testing::TestWithParam<AnalysisCase> {
 protected:
  win32::Win32FileSystem fs;
  win32::Win32Locale locale;
};

TEST_P(AnalysisOnDiskTest, MatchesExpectedResult) {
  const AnalysisCase& c = GetParam();
  const ScratchDirectory scratch("analysis");
  const std::string& root = scratch.Path();
  for (const char* directory : c.directories) CreateDirectoryOrThrow(ExpandScratch(directory, root));
  for (const char* file : c.files) CreateFileOrThrow(ExpandScratch(file, root));

  const CommandAnalysis result = AnalyseCommand(ExpandScratch(c.command, root), ExpandScratch(c.windowsDirectory, root), fs, locale);
  // A file beside the scratch directory ("@.EXE") is not removed with it.
  for (const char* file : c.files) {
    if (ExpandScratch(file, root).rfind(root + "\\", 0) != 0) DeleteFileA(ExpandScratch(file, root).c_str());
  }

  EXPECT_EQ(result.directoryFound, c.directoryFound);
  EXPECT_EQ(result.chosenDirectory, ExpandScratch(c.chosenDirectory, root));
  EXPECT_EQ(result.deadPath, c.deadPath);
  if (!c.directoryFound) {
    EXPECT_EQ(result.date, std::nullopt);
  }
}

INSTANTIATE_TEST_SUITE_P(Examples, AnalysisOnDiskTest, ::testing::ValuesIn(AnalysisCases()), [](const auto& param) {
  return "Case" + std::to_string(param.index);
});

TEST(AnalysisOnDisk, DateIsTheUtcCreationDateOfTheDirectory) {
  const ScratchDirectory scratch("date");
  const std::string program = scratch.Path() + "\\Acme";
  CreateDirectoryOrThrow(program);
  CreateFileOrThrow(program + "\\un.exe");
  SetDirectoryTimes(program, FileTimeFromUtc(2001, 7, 1, 23, 30));

  win32::Win32FileSystem fs;
  const CommandAnalysis result =
      AnalyseCommand("\"" + program + "\\un.exe\" /S", "C:\\windows", fs, win32::Win32Locale());
  EXPECT_EQ(result.chosenDirectory, program);
  EXPECT_EQ(result.date, "2001.07.01");
}

TEST(AnalysisOnDisk, ShortPathResolvesToItsLongForm) {
  const ScratchDirectory scratch("short");
  const std::string longPath = scratch.Path() + "\\Acme Tools For Everyone";
  CreateDirectoryOrThrow(longPath);
  char shortPath[MAX_PATH];
  const DWORD length = GetShortPathNameA(longPath.c_str(), shortPath, sizeof shortPath);
  ASSERT_GT(length, 0u);
  ASSERT_LT(length, sizeof shortPath);
  ASSERT_NE(std::string(shortPath), longPath) << "the file system gave no short name";

  std::string path = shortPath;
  path[0] = 'c';
  win32::Win32FileSystem fs;
  EXPECT_TRUE(ResolveLongPath(path, 260, fs));
  EXPECT_EQ(path, longPath);
}

TEST(AnalysisOnDisk, TheRealWindowsDirectoryIsRecognised) {
  win32::Win32FileSystem fs;
  const std::string windows = fs.WindowsDirectory();
  ASSERT_FALSE(windows.empty());
  const CommandAnalysis result = AnalyseCommand(windows + "\\notepad.exe", windows, fs, win32::Win32Locale());
  EXPECT_FALSE(result.directoryFound);
  EXPECT_FALSE(result.deadPath);
}

// The system names the folders programs share: ProgramData, written by an installer as
// its InstallLocation in another case, and Program Files by its short name, are no
// program's own; a folder of the drive's is.
TEST(AnalysisOnDisk, TheRealProgramDataIsASharedFolder) {
  win32::Win32FileSystem fs;
  char programData[MAX_PATH];
  const DWORD length = GetEnvironmentVariableA("ProgramData", programData, sizeof programData);
  ASSERT_TRUE(length > 0 && length < sizeof programData);
  std::string location = programData;
  CharLowerA(location.data());
  const win32::Win32Locale locale;
  SharedFolderList shared = fs.SharedFolders();
  ResolveSharedFolders(shared, fs, locale);
  EXPECT_FALSE(AnalyseInstallLocation(location + "\\", fs.WindowsDirectory(), fs, locale, shared).directoryFound);
  // Program Files by the short name the system gives it (never the same twice under Wine).
  wchar_t shortName[MAX_PATH];
  const DWORD shortLength = GetShortPathNameW(L"C:\\Program Files", shortName, MAX_PATH);
  ASSERT_TRUE(shortLength > 0 && shortLength < MAX_PATH);
  EXPECT_NE(win32::Utf8(shortName), "C:\\Program Files");
  EXPECT_FALSE(AnalyseInstallLocation(win32::Utf8(shortName), fs.WindowsDirectory(), fs, locale, shared).directoryFound);
  const ScratchDirectory own("shared");  // C:\zobl-..., the drive's own folder: ordinary
  EXPECT_TRUE(AnalyseInstallLocation(own.Path(), fs.WindowsDirectory(), fs, locale, shared).directoryFound);
}

}  // namespace
}  // namespace zobl::testing
