// The program run from a script: "zobl.exe /export FILE [/sizes]", a process of its own.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "file_time.h"
#include "gui_support.h"
#include "scratch_directory.h"

namespace zobl::testing {
namespace {

// The program's exit code once it has ended by itself.
DWORD RunProgram(const std::string& arguments) {
  STARTUPINFOA startup{.cb = sizeof(STARTUPINFOA)};
  std::string commandLine = WindowsPathOf(ZOBL_PROGRAM_PATH);
  commandLine.insert(0, 1, '"').append("\" ").append(arguments);
  PROCESS_INFORMATION started{};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
    return 99;
  }
  const win32::ScopedKernelHandle process(started.hProcess);
  const win32::ScopedKernelHandle thread(started.hThread);
  DWORD exitCode = 99;
  if (WaitForSingleObject(process.Get(), 60000) != WAIT_OBJECT_0) TerminateProcess(process.Get(), 99);
  GetExitCodeProcess(process.Get(), &exitCode);
  return exitCode;
}

std::string FileContent(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The second run writes over the first; each lists the descriptors as the window does. A
// third, while another program holds the file open (none may replace it then), fails
// with code 3 and leaves the file as it was.
TEST(Export, WritesTheInventoryWholeOrNotAtAll) {
  ScratchDirectory scratch("export");
  const std::string program = scratch.Path() + "\\Export App";
  CreateDirectoryOrThrow(program);
  CreateFileOrThrow(program + "\\un.exe", 100000);
  CreateFileOrThrow(program + "\\data.bin", 53000);
  SetDirectoryTimes(program, FileTimeFromUtc(2021, 3, 4, 12));
  TestDescriptors descriptors;
  const std::string sized = descriptors.Add("sized", "Export Sized, \"Deluxe\"", "\"" + program + "\\un.exe\" /x");
  const std::string bare = descriptors.Add("bare", "Export Bare");
  descriptors.AddNameless("nameless");
  const ScopedWorkingDirectory workingDirectory;
  const std::string file = scratch.Path() + "\\inventory.csv";
  const std::string key = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
  const struct {
    const char* arguments;
    const char* size;
    const char* bareSize;
  } runs[] = {{"", ",\"[NOT YET COMPUTED]\"", ",\"[NOT YET COMPUTED]\""}, {" /SIZES", "153000,\"149 Kb\"", ",\"unknown\""}};
  for (const auto& run : runs) {
    ASSERT_EQ(RunProgram("/export \"" + file + "\"" + run.arguments), 0u) << run.arguments;
    const std::string csv = FileContent(file);
    const std::string bareLine = "\r\n\"Export Bare\",\"" + bare + "\",\"" + key + bare + "\",\"[unknown]\"," +
                                 run.bareSize + ",\"[NO COMMAND]\",\"[MISSING OR SYSTEM DIRECTORY ?]\",";
    const std::string sizedLine = "\r\n\"Export Sized, \"\"Deluxe\"\"\",\"" + sized + "\",\"" + key + sized +
                                  "\",\"2021.03.04\"," + run.size + ",\"\"\"" + program + "\\un.exe\"\" /x\",\"" + program +
                                  "\",";
    EXPECT_NE(csv.find(sizedLine), std::string::npos) << csv;
    EXPECT_LT(csv.find(bareLine), csv.find(sizedLine)) << "in Name order";
    EXPECT_EQ(csv.find(descriptors.Prefix() + "nameless"), std::string::npos);
  }
  const std::string earlier = FileContent(file);
  const win32::ScopedFileHandle open(
      CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  EXPECT_EQ(RunProgram("/export \"" + file + "\""), 3u);
  EXPECT_EQ(FileContent(file), earlier);
  EXPECT_EQ(GetFileAttributesA(workingDirectory.SettingsFile().c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace zobl::testing
