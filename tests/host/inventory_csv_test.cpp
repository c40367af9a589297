#include "inventory/inventory_csv.h"
#include "inventory/row_copy_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "platform/portable_locale.h"

namespace zobl::testing {
namespace {

// One row's line below the header: every text quoted (its quotes doubled), the byte count
// not, and an apostrophe before a text a spreadsheet would run as a formula.
TEST(CsvExport, EveryTextQuotedAndNoFormula) {
  const std::string key = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
  const struct {
    UninstallEntry row;
    std::string line;
    std::string details = ",,,,,,,,,,,,,";  // none
  } cases[] = {
      {{.name = "Acme",
        .keyName = "K",
        .installDate = "2001.07.02",
        .size = SizeState::Measured,
        .sizeBytes = 1536,
        .command = "C:\\A\\un.exe",
        .directory = "C:\\A"},
       "\"Acme\",\"K\",\"" + key + "K\",\"2001.07.02\",1536,\"1.50 Kb\",\"C:\\A\\un.exe\",\"C:\\A\""},
      {{.source = RegistrySource::User, .name = "A, \"B\"", .keyName = "K", .size = SizeState::Unknown, .sizeBytes = 9},
       "\"A, \"\"B\"\"\",\"K\",\"HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\K\","
       "\"[unknown]\",,\"unknown\",\"[NO COMMAND]\",\"[MISSING OR SYSTEM DIRECTORY ?]\""},
      {{.source = RegistrySource::Machine32, .name = "2\r\nlines", .keyName = "K", .command = "\"C:\\u.exe\" /x"},
       "\"2\r\nlines\",\"K\",\"HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\K\","
       "\"[unknown]\",,\"[NOT YET COMPUTED]\",\"\"\"C:\\u.exe\"\" /x\",\"[MISSING OR SYSTEM DIRECTORY ?]\""},
      {{.keyName = "Caf\xC3\xA9\n", .size = SizeState::Measured, .sizeBytes = 512, .directory = "C:\\\xCE\xA9"},
       "\"[NO NAME]\",\"Caf\xC3\xA9\n\",\"" + key + "Caf\xC3\xA9\n\",\"[unknown]\",512,\"\",\"[NO COMMAND]\",\"C:\\\xCE\xA9\""},
      {{.name = "=1+2", .keyName = "@K", .command = "-x", .directory = "+D"},
       "\"'=1+2\",\"'@K\",\"" + key + "@K\",\"[unknown]\",,\"[NOT YET COMPUTED]\",\"'-x\",\"'+D\""},
      {{.name = "\tT", .keyName = "\rR", .command = "a=b"},
       "\"'\tT\",\"'\rR\",\"" + key + "\rR\",\"[unknown]\",,\"[NOT YET COMPUTED]\",\"a=b\",\"[MISSING OR SYSTEM DIRECTORY ?]\""},
      // After blanks a spreadsheet skips, and in full width (U+FF1D, U+FF0B, U+FF20), a
      // formula still; a text at a console keeps no line break of its own (below).
      {{.name = " \r\n=1", .keyName = "\xE3\x80\x80\xEF\xBC\x9D" "K", .command = "\xEF\xBB\xBF\xEF\xBC\x8B" "x",
        .directory = "\xEF\xBC\xA0" "D"},
       "\"' \r\n=1\",\"'\xE3\x80\x80\xEF\xBC\x9D" "K\",\"" + key + "\xE3\x80\x80\xEF\xBC\x9D" "K\",\"[unknown]\",,"
       "\"[NOT YET COMPUTED]\",\"'\xEF\xBB\xBF\xEF\xBC\x8B" "x\",\"'\xEF\xBC\xA0" "D\""},
      // Split at the ';' of a locale that separates with it, an unquoted field would run "=1+1".
      {{.name = "Total;=1+1", .keyName = "K"},
       "\"Total;=1+1\",\"K\",\"" + key + "K\",\"[unknown]\",,\"[NOT YET COMPUTED]\",\"[NO COMMAND]\",\"[MISSING OR SYSTEM DIRECTORY ?]\""},
      // What the descriptor tells besides: texts as the others, numbers and flags bare.
      {{.keyName = "K",
        .publisher = "=P",
        .displayVersion = "1.0",
        .details = std::make_shared<const DescriptorDetails>(DescriptorDetails{.installLocation = "C:\\A",
                                                                               .language = 1033,
                                                                               .estimatedSizeBytes = 2048,
                                                                               .productCode = "{G}",
                                                                               .windowsInstaller = true,
                                                                               .systemComponent = false,
                                                                               .releaseType = "Hotfix"})},
       "\"[NO NAME]\",\"K\",\"" + key + "K\",\"[unknown]\",,\"[NOT YET COMPUTED]\",\"[NO COMMAND]\",\"[MISSING OR SYSTEM DIRECTORY ?]\"",
       ",\"'=P\",\"1.0\",\"C:\\A\",,1033,2048,,\"{G}\",1,0,,,\"Hotfix\""},
  };
  const PortableLocale locale;
  for (const auto& c : cases) {
    InventoryList list(locale);
    list.Add(c.row);
    EXPECT_EQ(InventoryCsv(list),
              "Name,Key Name,Registry Path,Install Date,Size,Size Text,Command,Directory,Publisher,Version,"
              "Install Location,Install Source,Language,Estimated Size,Registry Install Date,Product Code,"
              "Windows Installer,System Component,Quiet Uninstall Command,Parent Key Name,Release Type\r\n" +
                  c.line + c.details + "\r\n");
  }
  // At a console, only the program ends a line.
  InventoryList list(locale);
  list.Add({.name = "zobl-cli\r\nall read", .keyName = "K\xE2\x80\xAE"});
  const std::string console = InventoryCsv(list, true);
  EXPECT_NE(console.find("\"zobl-cli\xEF\xBF\xBD\xEF\xBF\xBD" "all read\",\"K\xEF\xBF\xBD\","), std::string::npos) << console;
  EXPECT_EQ(std::ranges::count(console, '\n'), 2);
}

// A copied row pastes as one spreadsheet row of texts: no formula, no extra cell or line.
TEST(CsvExport, CopiedRowHoldsNoFormulaAndNoBreak) {
  const UninstallEntry row{.name = "\tA\rB", .keyName = "=K", .command = "C:\\u.exe\n/x"};
  EXPECT_EQ(RowCopyText(row), "' A B\t'=K\t[unknown]\t[NOT YET COMPUTED]\tC:\\u.exe /x\t[MISSING OR SYSTEM DIRECTORY ?]");
}

}  // namespace
}  // namespace zobl::testing
