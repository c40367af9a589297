#include "ui/command_to_start.h"

#include <gtest/gtest.h>

#include "fake_file_system.h"

namespace zobl::testing {
namespace {

TEST(CommandToStart, QuotesUnquotedProgramPathsWithBlanks) {
  FakeFileSystem fs;
  fs.AddFile("C:\\Program.exe");  // must never be what runs
  fs.AddDirectory("C:\\Program Files");
  fs.AddDirectory("C:\\Program Files\\Acme");
  fs.AddFile("C:\\Program Files\\Acme\\un.exe");
  fs.AddDirectory("C:\\Program Files\\Acme\\a.exe dir");
  fs.AddFile("C:\\Program Files\\Acme\\a.exe dir\\b.exe");
  struct Row {
    const char* command;
    const char* started;
  };
  const Row rows[] = {
      {"C:\\Program Files\\Acme\\un.exe /x", "\"C:\\Program Files\\Acme\\un.exe\" /x"},
      {"C:\\Program Files\\Acme\\UN.EXE", "\"C:\\Program Files\\Acme\\UN.EXE\""},
      // The longest existing leading part wins.
      {"C:\\Program Files\\Acme\\a.exe dir\\b.exe -q", "\"C:\\Program Files\\Acme\\a.exe dir\\b.exe\" -q"},
      {"C:\\Program Files\\Acme\\un.exe remove.exe", "\"C:\\Program Files\\Acme\\un.exe\" remove.exe"},
      {"C:\\Program Files\\Acme\\un.exe\t/x", "\"C:\\Program Files\\Acme\\un.exe\"\t/x"},
      {"\\\\server\\share dir\\un.exe /x", "\"\\\\server\\share dir\\un.exe\" /x"},
      // A missing program is quoted all the same, so that it fails to start.
      {"C:\\Program Files\\Gone\\un.exe /x", "\"C:\\Program Files\\Gone\\un.exe\" /x"},
      // Nothing to mistake: left as written.
      {"\"C:\\Program Files\\Acme\\un.exe\" /x", "\"C:\\Program Files\\Acme\\un.exe\" /x"},
      {"C:\\Acme\\un.exe /x y", "C:\\Acme\\un.exe /x y"},
      {"MsiExec.exe /X{1234}", "MsiExec.exe /X{1234}"},
      {"C:\\Program Files\\Acme\\setup.bat /u", "C:\\Program Files\\Acme\\setup.bat /u"},
      {"C:\\Program Files\\Acme\\un.exex", "C:\\Program Files\\Acme\\un.exex"},
      {"", ""},
  };
  for (const Row& row : rows) EXPECT_EQ(CommandToStart(row.command, fs), row.started) << row.command;
}

}  // namespace
}  // namespace zobl::testing
