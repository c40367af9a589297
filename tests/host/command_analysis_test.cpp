#include "inventory/command_analysis.h"

#include <gtest/gtest.h>

#include "command_analysis_cases.h"
#include "fake_file_system.h"
#include "file_time.h"
#include "platform/portable_locale.h"

namespace zobl::testing {
namespace {

constexpr char kRoot[] = "C:\\Zt";

class AnalysisCaseTest : public ::testing::TestWithParam<AnalysisCase> {};

TEST_P(AnalysisCaseTest, MatchesExpectedResult) {
  const AnalysisCase& c = GetParam();
  FakeFileSystem fs;
  fs.AddDirectory(kRoot);
  for (const char* directory : c.directories) fs.AddDirectory(ExpandScratch(directory, kRoot));
  for (const char* file : c.files) fs.AddFile(ExpandScratch(file, kRoot));

  const CommandAnalysis result =
      AnalyseCommand(ExpandScratch(c.command, kRoot), ExpandScratch(c.windowsDirectory, kRoot), fs, PortableLocale());

  EXPECT_EQ(result.directoryFound, c.directoryFound);
  EXPECT_EQ(result.chosenDirectory, ExpandScratch(c.chosenDirectory, kRoot));
  EXPECT_EQ(result.deadPath, c.deadPath);
  EXPECT_EQ(result.date.value_or("none"), c.directoryFound ? "2000.04.14" : "none");
}

INSTANTIATE_TEST_SUITE_P(Examples, AnalysisCaseTest, ::testing::ValuesIn(AnalysisCases()), [](const auto& param) {
  return "Case" + std::to_string(param.index);
});

TEST(AnalyseCommand, DateIsTheUtcDateOfTheDirectorysCreation) {
  FakeFileSystem fs;
  // Shortly after midnight east of Greenwich is still the previous day in UTC.
  fs.AddDirectory("C:\\Acme", FileTimeFromUtc(2001, 7, 1, 23, 30));
  fs.AddFile("C:\\Acme\\un.exe");
  EXPECT_EQ(AnalyseCommand("C:\\Acme\\un.exe", "C:\\WINDOWS", fs, PortableLocale()).date, "2001.07.01");
}

TEST(AnalyseCommand, UndatableDirectoryKeepsUnknownDate) {
  FakeFileSystem fs;
  fs.AddDirectory("C:\\Acme", 0x8000000000000000ull);
  const CommandAnalysis result = AnalyseCommand("C:\\Acme", "C:\\WINDOWS", fs, PortableLocale());
  EXPECT_EQ(result.chosenDirectory, "C:\\Acme");
  EXPECT_EQ(result.date, std::nullopt);
}

TEST(AnalyseCommand, EntryWithoutDosTimeIsNoFile) {
  FakeFileSystem fs;
  fs.AddDirectory("C:\\Acme");
  fs.AddFile("C:\\Acme\\old.exe", /*hasDosTime=*/false);
  const CommandAnalysis result = AnalyseCommand("C:\\Acme\\old.exe", "C:\\WINDOWS", fs, PortableLocale());
  EXPECT_FALSE(result.directoryFound);
  EXPECT_TRUE(result.deadPath);
}

TEST(AnalyseCommand, ShortNamesComeBackInLongForm) {
  FakeFileSystem fs;
  fs.AddDirectory("C:\\Program Files", FakeFileSystem::kDefaultTime, "PROGRA~1");
  fs.AddDirectory("C:\\Program Files\\Acme Tools", FakeFileSystem::kDefaultTime, "ACMETO~1");
  fs.AddFile("C:\\Program Files\\Acme Tools\\unins000.exe", true, "UNINS0~1.EXE");
  const CommandAnalysis result = AnalyseCommand("c:\\progra~1\\acmeto~1\\unins0~1.exe /S", "", fs, PortableLocale());
  EXPECT_EQ(result.chosenDirectory, "C:\\Program Files\\Acme Tools");
}

TEST(AnalyseCommand, EmptyWindowsDirectoryMatchesNothing) {
  FakeFileSystem fs;
  fs.AddDirectory("C:\\WINDOWS");
  fs.AddFile("C:\\WINDOWS\\x.exe");
  EXPECT_EQ(AnalyseCommand("C:\\WINDOWS\\x.exe", "", fs, PortableLocale()).chosenDirectory, "C:\\WINDOWS");
}

TEST(AnalyseCommand, AGoneProgramDirectoryCostsOneQuestion) {
  FakeFileSystem fs;
  fs.AddDirectory("C:\\Program Files");
  const CommandAnalysis result =
      AnalyseCommand("C:\\Program Files\\Gone\\uninstall-program.exe REMOVE", "", fs, PortableLocale());
  EXPECT_TRUE(result.deadPath);
  EXPECT_EQ(fs.Questions(), 1) << "not two per character of the argument tail";
}

TEST(AnalyseCommand, PathLongerThanABufferIsCutBeforeTheWalk) {
  FakeFileSystem fs;
  const std::string directory = "C:\\" + std::string(256, 'a');  // 259 characters
  fs.AddDirectory(directory);
  // Cut to 260 characters the candidate ends in "x", which the walk drops; uncut, the
  // walk would stop at the backslash before "b" and find nothing.
  const CommandAnalysis result = AnalyseCommand(directory + "x\\b", "", fs, PortableLocale());
  EXPECT_EQ(result.chosenDirectory, directory);
  EXPECT_FALSE(result.deadPath);
}

// Folders many programs share are no program's own, from the command or InstallLocation,
// in any case, with or without a trailing backslash, and by their short names too (the
// system gives the temporary folder so) or through a link; folders inside them are, but for
// the profiles and the well-known folders each profile has.
TEST(AnalyseCommand, SharedFoldersAreNoProgramsOwn) {
  SharedFolderList shared{{"C:\\Program Files", "C:\\ProgramData", "C:\\Users", "C:\\Users\\Ann\\AppData\\Local",
                        "C:\\Users\\Ann\\AppData\\Local\\Temp", "C:\\Users\\Ann\\Desktop", "D:\\Temp\\",
                        "D:\\SCRATC~1\\"},
                       {"C:\\Users"},
                       "C:\\Users\\Ann"};
  FakeFileSystem fs;
  fs.AddDirectory("C:\\Program Files", FakeFileSystem::kDefaultTime, "PROGRA~1");
  fs.AddDirectory("D:\\Scratch Area", FakeFileSystem::kDefaultTime, "SCRATC~1");
  for (const char* directory : {"C:\\Program Files", "C:\\Program Files\\Tool", "C:\\ProgramData",
                                "C:\\ProgramData\\Tool", "C:\\Users", "C:\\Users\\Ann", "C:\\Users\\Public",
                                "C:\\Users\\Ann\\AppData", "C:\\Users\\Ann\\AppData\\Local", "D:\\Temp",
                                "D:\\Temp\\Tool", "D:\\Scratch Area", "C:\\Users\\Public\\Desktop", "C:\\Users\\Bob",
                                "C:\\Users\\Bob\\AppData", "C:\\Users\\Bob\\AppData\\Local",
                                "C:\\Users\\Bob\\AppData\\Local\\Temp", "C:\\Users\\Bob\\AppData\\Local\\Acme"}) {
    if (!fs.IsExistingDirectory(directory)) fs.AddDirectory(directory);
    fs.AddFile(std::string(directory) + "\\un.exe");
  }
  fs.AddLink("C:\\Link", "C:\\Users");  // a junction to the Users folder
  fs.AddDirectory("C:\\Link\\Ann");
  fs.AddFile("C:\\Link\\Ann\\un.exe");
  fs.AddDirectory("C:\\Link\\Ann\\Tool");
  ResolveSharedFolders(shared, fs, PortableLocale());
  const struct {
    const char* command;  // or, when null, the InstallLocation
    const char* location;
    const char* chosen;  // empty: none
  } cases[] = {
      {"\"C:\\Program Files\\un.exe\" /S", nullptr, ""},
      {"C:\\PROGRAM FILES\\Tool\\un.exe", nullptr, "C:\\Program Files\\Tool"},
      {"C:\\PROGRA~1\\un.exe", nullptr, ""},
      {nullptr, "C:\\progra~1\\", ""},
      {"C:\\PROGRA~1\\Tool\\un.exe", nullptr, "C:\\Program Files\\Tool"},
      {"C:\\Users\\Ann\\AppData\\Local\\un.exe", nullptr, ""},
      {"C:\\Users\\Ann\\AppData\\un.exe", nullptr, "C:\\Users\\Ann\\AppData"},  // not named shared here
      {"C:\\Users\\Ann\\un.exe", nullptr, ""},
      {nullptr, "C:\\Users\\Public\\", ""},
      {nullptr, "c:\\programdata\\", ""},
      {nullptr, "C:\\ProgramData\\Tool", "C:\\ProgramData\\Tool"},
      {nullptr, "D:\\Temp", ""},
      {nullptr, "D:\\Temp\\Tool\\", "D:\\Temp\\Tool"},
      {"D:\\Scratch Area\\un.exe", nullptr, ""},
      {"C:\\Users\\Bob\\AppData\\Local\\Temp\\un.exe", nullptr, ""},  // every profile's well-known folders
      {nullptr, "C:\\Users\\Public\\Desktop", ""},
      {"C:\\Users\\Bob\\AppData\\Local\\Acme\\un.exe", nullptr, "C:\\Users\\Bob\\AppData\\Local\\Acme"},
      {"C:\\Link\\Ann\\un.exe", nullptr, ""},  // a profile through the junction
      {nullptr, "C:\\Link\\Ann\\Tool", "C:\\Link\\Ann\\Tool"},
  };
  for (const auto& c : cases) {
    const CommandAnalysis result = c.command != nullptr
                                       ? AnalyseCommand(c.command, "C:\\WINDOWS", fs, PortableLocale(), shared)
                                       : AnalyseInstallLocation(c.location, "C:\\WINDOWS", fs, PortableLocale(), shared);
    EXPECT_EQ(result.chosenDirectory, c.chosen) << (c.command != nullptr ? c.command : c.location);
    EXPECT_EQ(result.directoryFound, *c.chosen != '\0');
    EXPECT_FALSE(result.deadPath);
  }
}

}  // namespace
}  // namespace zobl::testing
