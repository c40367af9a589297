#include "inventory/column_text.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace zobl::testing {
namespace {

// Every column of a row in every state it can be in: a field present shows as it is, a
// field missing shows its stand-in, and the size shows what the last run found.
TEST(ColumnText, EveryColumnInEveryState) {
  const UninstallEntry full{.name = "Acme", .keyName = "AcmeKey", .installDate = "2001.07.02",
                            .size = SizeState::Measured, .sizeBytes = 1536, .command = "C:\\Acme\\un.exe",
                            .directory = "C:\\Acme"};
  const UninstallEntry bare{.keyName = "{GUID}"};
  const UninstallEntry named{.name = "[NO NAME]", .size = SizeState::Unknown, .sizeBytes = 7};
  const UninstallEntry small{.name = "Tiny", .size = SizeState::Measured, .sizeBytes = 512, .command = ""};
  const struct {
    const char* what;
    const UninstallEntry& row;
    std::array<const char*, kColumnCount> texts;
  } cases[] = {
      {"every field", full, {"Acme", "AcmeKey", "2001.07.02", "1.50 Kb", "C:\\Acme\\un.exe", "C:\\Acme"}},
      {"nothing known",
       bare,
       {"[NO NAME]", "{GUID}", "[unknown]", "[NOT YET COMPUTED]", "[NO COMMAND]", "[MISSING OR SYSTEM DIRECTORY ?]"}},
      {"no directory to measure, a program really named as the stand-in",
       named,
       {"[NO NAME]", "", "[unknown]", "unknown", "[NO COMMAND]", "[MISSING OR SYSTEM DIRECTORY ?]"}},
      {"512 bytes measured, an empty command",
       small,
       {"Tiny", "", "[unknown]", "", "", "[MISSING OR SYSTEM DIRECTORY ?]"}},
  };
  for (const auto& c : cases) {
    for (int column = 0; column < kColumnCount; ++column) {
      const auto shown = static_cast<ListColumn>(column);
      EXPECT_EQ(ColumnText(c.row, shown), c.texts[column]) << c.what << ", column " << column;
      if (shown != kSizeColumn) {
        EXPECT_EQ(SortText(c.row, shown), c.texts[column]) << c.what;
      }
    }
  }
}

}  // namespace
}  // namespace zobl::testing
