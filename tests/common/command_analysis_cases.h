#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "scratch_text.h"

namespace zobl::testing {

// Command-analysis cases shared by the host tests (fake drive) and the Windows tests
// (real files). "@" stands for a scratch directory of the test, e.g. C:\zt; the
// Windows directory of every case is "@\WINDOWS" unless the case says otherwise.
struct AnalysisCase {
  const char* title;
  std::vector<const char*> directories;  // created in this order
  std::vector<const char*> files;
  const char* command;
  bool directoryFound;
  const char* chosenDirectory;
  bool deadPath;
  const char* windowsDirectory = "@\\WINDOWS";
};

inline const std::vector<AnalysisCase>& AnalysisCases() {
  // clang-format off
  static const std::vector<AnalysisCase> cases = {
      {"quoted uninstaller, its directory chosen",
       {"@\\Program Files", "@\\Program Files\\Acme Tools"},
       {"@\\Program Files\\Acme Tools\\unins000.exe"},
       "\"@\\Program Files\\Acme Tools\\unins000.exe\"",
       true, "@\\Program Files\\Acme Tools", false},
      {"Windows-directory path with a -f switch, then a quoted second path",
       {"@\\WINDOWS", "@\\Acme"},
       {"@\\WINDOWS\\acmeun.exe", "@\\Acme\\Uninst.isu"},
       "@\\WINDOWS\\acmeun.exe -f\"@\\Acme\\Uninst.isu\"",
       true, "@\\Acme", false},
      {"two existing files, the shorter directory wins",
       {"@\\Acme", "@\\Acme\\Shared", "@\\Acme\\Shared\\Bin", "@\\Acme\\Data"},
       {"@\\Acme\\Shared\\Bin\\remove.exe", "@\\Acme\\Data\\app.log"},
       "@\\Acme\\Shared\\Bin\\remove.exe @\\Acme\\Data\\app.log",
       true, "@\\Acme\\Data", false},
      {"missing program directory is a dead path",
       {"@\\Program Files"},
       {},
       "@\\Program Files\\Gone\\uninst.exe /x",
       false, "", true},
      {"no drive path at all",
       {},
       {},
       "RunDll32 acmeutil.dll,Remove",
       false, "", false},
      {"a program in the drive root gives no directory",
       {},
       {"@.EXE"},
       "@.EXE",
       false, "", false},
      {"only path inside the Windows directory",
       {"@\\WINDOWS", "@\\WINDOWS\\system32"},
       {"@\\WINDOWS\\system32\\msiexec.exe"},
       "\"@\\WINDOWS\\system32\\msiexec.exe\" /x{1234}",
       false, "", false},
      {"Windows directory recognised in another letter case",
       {"@\\WINDOWS"},
       {"@\\WINDOWS\\acme.exe"},
       "@\\windows\\acme.exe",
       false, "", false},
      {"a directory whose name begins with the Windows directory's is a program's own",
       {"@\\WINDOWS", "@\\WINDOWS10Upgrade", "@\\WINDOWSAzure"},
       {"@\\WINDOWS10Upgrade\\x.exe"},
       "@\\Windows10Upgrade\\x.exe @\\WindowsAzure",
       true, "@\\WINDOWSAzure", false},
      {"arguments walked back to the Windows directory itself",
       {"@\\WINDOWS"},
       {},
       "@\\WINDOWSexe",
       false, "", false},
      {"the Windows directory followed by a backslash, in lower case",
       {"@\\WINDOWS", "@\\WINDOWS\\system32"},
       {"@\\WINDOWS\\system32\\x.exe"},
       "@\\windows\\system32\\x.exe",
       false, "", false},
      {"the Windows directory itself is never chosen",
       {"@\\WINDOWS"},
       {},
       "@\\WINDOWS",
       false, "", false, "@\\windows"},
      {"a candidate ending in a backslash is not looked up",
       {"@\\Acme"},
       {},
       "\"@\\Acme\\\"",
       false, "", true},
      {"lower-case -c switch removed",
       {"@\\Acme"},
       {},
       "@\\Acme -c",
       true, "@\\Acme", false},
      {"of two switches only the last is removed",
       {"@\\Acme", "@\\Acme -F"},
       {},
       "@\\Acme -F -c",
       true, "@\\Acme -F", false},
      {"a marker at the very start ends the analysis",
       {"@\\Acme"},
       {"@\\Acme\\remove.exe"},
       ":\\x \"@\\Acme\\remove.exe\"",
       false, "", false},
      {"equally short directories: the first written wins",
       {"@\\Bbb", "@\\Aaa"},
       {"@\\Bbb\\x.exe", "@\\Aaa\\y.exe"},
       "@\\Bbb\\x.exe @\\Aaa\\y.exe",
       true, "@\\Bbb", false},
      {"a directory found and another path dead",
       {"@\\Acme"},
       {"@\\Acme\\remove.exe"},
       "@\\Acme\\remove.exe @\\Gone\\x.exe",
       true, "@\\Acme", true},
      {"unquoted arguments are walked back",
       {"@\\Acme"},
       {"@\\Acme\\remove.exe"},
       "@\\Acme\\remove.exe REMOVE ALL",
       true, "@\\Acme", false},
      {"a directory named directly, in another case, comes back in long form",
       {"@\\Acme", "@\\Acme\\Data"},
       {},
       "@\\ACME\\DATA",
       true, "@\\Acme\\Data", false},
      {"a path cut at a comma",
       {"@\\Acme"},
       {"@\\Acme\\acme.dll"},
       "rundll32.exe @\\Acme\\acme.dll,Uninstall",
       true, "@\\Acme", false},
      // Names in UTF-8 take several bytes a letter; case folds in every script.
      {"a Cyrillic program folder",
       {"@\\Программы", "@\\Программы\\Кило"},
       {"@\\Программы\\Кило\\uninst.exe"},
       "\"@\\Программы\\Кило\\uninst.exe\" /S",
       true, "@\\Программы\\Кило", false},
      {"a Cyrillic Windows directory written in capitals",
       {"@\\Окна", "@\\Окна\\система"},
       {"@\\Окна\\система\\un.exe"},
       "@\\ОКНА\\система\\un.exe",
       false, "", false, "@\\Окна"},
  };
  // clang-format on
  return cases;
}

inline void PrintTo(const AnalysisCase& c, std::ostream* out) { *out << c.title; }

}  // namespace zobl::testing
