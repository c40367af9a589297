#include "platform/win32/win32_shell.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>

#include "scratch_directory.h"

namespace zobl::testing {
namespace {

// The program tells the user when a program does not start: the system's reason.
TEST(Shell, MissingProgramDoesNotStart) {
  win32::Win32Shell shell;
  EXPECT_EQ(shell.StartProgram({"C:\\windows\\nowhere-at-all.exe", false, " /S"}), 2u) << "file not found";
}

// A folder that became a program after the row's menu was built (as another process of the
// user may make it) is not opened, and so not started by an elevated window.
TEST(Shell, FolderReplacedByAProgramIsNotRun) {
  ScratchDirectory scratch("open-folder");
  const std::string tool = scratch.Path() + "\\Tool.bat";
  const std::string ran = scratch.Path() + "\\ran.txt";
  std::ofstream(tool) << "echo ran > \"" << ran << "\"\r\n";
  win32::Win32Shell shell;
  EXPECT_FALSE(shell.OpenFolder(tool));
  EXPECT_EQ(GetFileAttributesA(ran.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace zobl::testing
