#include "ui/command_to_start.h"

#include <gtest/gtest.h>

#include "fake_file_system.h"

namespace zobl::testing {
namespace {

// What each command starts, as the line the program receives ("" for nothing started),
// and whether ordinary programs could change it.
TEST(CommandToStart, StartsTheOneProgramFileTheCommandNames) {
  FakeFileSystem fs;
  fs.AddFile("C:\\Program.exe");  // must never be what runs
  fs.AddDirectory("C:\\Program Files");
  fs.AddDirectory("C:\\Program Files\\Acme");
  fs.AddFile("C:\\Program Files\\Acme\\un.exe");
  fs.AddFile("C:\\Program Files\\Acme\\Uninstall.exe");
  fs.AddDirectory("C:\\Program Files\\Acme\\a.exe dir");
  fs.AddFile("C:\\Program Files\\Acme\\a.exe dir\\b.exe");
  fs.AddDirectory("C:\\Acme");
  fs.AddFile("C:\\Acme\\un.exe");
  fs.AddDirectory("C:\\Users");
  fs.AddDirectory("C:\\Users\\bob");
  fs.AddFile("C:\\Users\\bob\\un.exe");
  fs.AddDirectory("C:\\Users Tools");
  fs.AddFile("C:\\Users Tools\\un.exe");
  fs.AddLink("C:\\Acme Link", "C:\\Users\\bob");
  fs.AddFile("C:\\Acme Link\\un.exe");
  fs.SetSharedFolders({.folders = {}, .parents = {"C:\\Users"}, .profile = "C:\\Users\\bob", .inEveryProfile = {}});
  struct Row {
    const char* command;
    const char* started;
    RegistrySource source = RegistrySource::Machine64;
    bool changeable = false;
  };
  const Row rows[] = {
      {"C:\\Program Files\\Acme\\un.exe /x", "\"C:\\Program Files\\Acme\\un.exe\" /x"},
      {"C:\\Program Files\\Acme\\UN.EXE", "\"C:\\Program Files\\Acme\\UN.EXE\""},
      // The longest existing leading part wins.
      {"C:\\Program Files\\Acme\\a.exe dir\\b.exe -q", "\"C:\\Program Files\\Acme\\a.exe dir\\b.exe\" -q"},
      {"C:\\Program Files\\Acme\\un.exe remove.exe", "\"C:\\Program Files\\Acme\\un.exe\" remove.exe"},
      {"C:\\Program Files\\Acme\\un.exe\t/x", "\"C:\\Program Files\\Acme\\un.exe\"\t/x"},
      // A switch or an icon index straight after the name; a name without its extension.
      {"C:\\Program Files\\Acme\\Uninstall.exe/S", "\"C:\\Program Files\\Acme\\Uninstall.exe\" /S"},
      {"C:\\Program Files\\Acme\\Uninstall /S", "\"C:\\Program Files\\Acme\\Uninstall.exe\" /S"},
      {"C:\\Program Files\\Acme\\Uninstall.exe,1", "\"C:\\Program Files\\Acme\\Uninstall.exe\" ,1"},
      {"\"C:\\Program Files\\Acme\\Uninstall.exe\"/S", "\"C:\\Program Files\\Acme\\Uninstall.exe\" /S"},
      {"\"C:\\Program Files\\Acme\\Uninstall\" /S", "\"C:\\Program Files\\Acme\\Uninstall.exe\" /S"},
      {"\"C:\\Program Files\\Acme\\Uninstall.exe\",1", "\"C:\\Program Files\\Acme\\Uninstall.exe\" ,1"},
      // A missing program starts nothing, never a shorter path that exists.
      {"C:\\Program Files\\Gone\\un.exe /x", ""},
      {"C:\\Program Files\\Gone\\Uninstall /S", ""},
      {"\"C:\\Program Files\\Gone\\un.exe\" /x", ""},
      {"C:\\Program Files\\Acme\\setup.bat /u", ""},
      {"C:\\Acme\\un.exe /x y", "\"C:\\Acme\\un.exe\" /x y"},
      // Names the system looks up, as written.
      {"MsiExec.exe /X{1234}", "\"MsiExec.exe\" /X{1234}"},
      {"\"MsiExec.exe\" /X{1234}", "\"MsiExec.exe\" /X{1234}"},
      {"", ""},
      // Rights: the user's own registry, or a program inside a profile (also through a
      // link), can be changed by the user's ordinary programs; the Users folder's
      // neighbours cannot.
      {"MsiExec.exe /X{1234}", "\"MsiExec.exe\" /X{1234}", RegistrySource::User, true},
      {"C:\\Acme\\un.exe", "\"C:\\Acme\\un.exe\"", RegistrySource::User, true},
      {"C:\\Users\\bob\\un.exe", "\"C:\\Users\\bob\\un.exe\"", RegistrySource::Machine64, true},
      {"c:\\users\\BOB\\un.exe", "\"c:\\users\\BOB\\un.exe\"", RegistrySource::Machine32, true},
      {"C:\\Acme Link\\un.exe", "\"C:\\Acme Link\\un.exe\"", RegistrySource::Machine64, true},
      {"C:\\Users Tools\\un.exe", "\"C:\\Users Tools\\un.exe\"", RegistrySource::Machine64, false},
  };
  for (const Row& row : rows) {
    const std::optional<ProgramStart> start = ProgramToStart(row.command, fs);
    EXPECT_EQ(start ? start->CommandLine() : "", row.started) << row.command;
    if (start) {
      EXPECT_EQ(OrdinaryProgramsCanChange(row.source, *start, fs), row.changeable) << row.command;
    }
  }
}

}  // namespace
}  // namespace zobl::testing
