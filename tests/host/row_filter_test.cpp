#include "inventory/row_filter.h"

#include <gtest/gtest.h>

#include "platform/portable_locale.h"

namespace zobl::testing {
namespace {

const UninstallEntry kGolf{.name = "Golf Runtime Components \xE6\x97\xA5\xE6\x9C\xAC",  // 日本
                           .keyName = "GolfRuntime",
                           .publisher = "\xD0\x98\xD0\xB7\xD0\xB4\xD0\xB0\xD1\x82\xD0\xB5\xD0\xBB\xD1\x8C",  // Издатель
                           .displayVersion = "2.0.7",
                           .command = "\"C:\\Program Files\\Caf\xC3\xA9\\un.exe\" /S",           // Café
                           .directory = "D:\\Games\\\xCF\x89\xCE\xBC\xCE\xB5\xCE\xB3\xCE\xB1"};  // ωμεγα
const UninstallEntry kNameless{.keyName = "{A78279E5-BC3E}"};

// Upper case folds every script the locale knows; each field is searched on its own,
// and the list's stand-ins ("[NO NAME]", "[NO COMMAND]") are no field.
TEST(RowFilterTest, MatchesEachFieldIgnoringCaseInEveryScript) {
  const PortableLocale locale;
  const struct {
    const UninstallEntry& row;
    const char* text;
    bool matches;
  } cases[] = {
      {kGolf, "", true},
      {kNameless, "", true},
      {kGolf, "gOLF rUN", true},                  // name
      {kGolf, "\xE6\x97\xA5\xE6\x9C\xAC", true},  // name, a script without case
      {kGolf, "runtimes", false},
      {kGolf, "componentsgolf", false},    // no match across two fields
      {kGolf, "golfruntime", true},        // key name
      {kNameless, "a78279e5-bc3e", true},  // key name alone
      {kNameless, "no name", false},       // the stand-ins are no text of the row
      {kNameless, "no command", false},
      {kGolf, "files\\CAF\xC3\x89", true},                                 // command, CAFÉ
      {kGolf, "\\GAMES\\\xCE\xA9\xCE\x9C\xCE\x95\xCE\x93\xCE\x91", true},  // directory, ΩΜΕΓΑ
      {kGolf, "\xD0\xB8\xD0\xB7\xD0\x94\xD0\x90", true},                   // publisher, изДА
      {kGolf, "2.0.7", false},                                             // the version is not searched
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RowFilter(locale, c.text).Matches(c.row), c.matches) << '"' << c.text << '"';
  }
}

}  // namespace
}  // namespace zobl::testing
