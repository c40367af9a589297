#include "platform/win32/win32_shell.h"

#include <gtest/gtest.h>

namespace zobl::testing {
namespace {

// The program tells the user when a command does not start: the system's reason is below 32.
TEST(Shell, MissingProgramDoesNotStart) {
  win32::Win32Shell shell;
  EXPECT_EQ(shell.StartCommand("C:\\nowhere-at-all\\uninstall.exe /S"), 2u) << "file not found";
}

}  // namespace
}  // namespace zobl::testing
