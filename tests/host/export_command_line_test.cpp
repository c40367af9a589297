#include "commandline/export_command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zobl::testing {
namespace {

TEST(CommandLine, ExportSwitchesAndUsageErrors) {
  using A = CommandLine::Action;
  const struct {
    std::vector<std::string> arguments;
    A action;
    const char* file = "";
    bool sizes = false;
    bool json = false;
  } cases[] = {
      {{}, A::OpenWindow},
      {{"/export", "a.csv"}, A::Export, "a.csv"},
      {{"/EXPORT", "C:\\inv y.csv", "/Sizes"}, A::Export, "C:\\inv y.csv", true},
      {{"-sizes", "-export", "/tmp/x.csv"}, A::Export, "/tmp/x.csv", true},
      {{"/export"}, A::Usage},
      {{"/export", "/sizes"}, A::Usage},
      {{"/export", ""}, A::Usage},
      {{"/sizes"}, A::Usage},
      {{"/export", "a", "b"}, A::Usage},
      {{"/export", "a", "/export", "b"}, A::Usage},
      {{"/exports", "a"}, A::Usage},
      {{"export", "a"}, A::Usage},
      {{"/list"}, A::List},
      {{"-JSON", "/list", "/sizes"}, A::List, "", true, true},
      {{"/export", "a.json", "/json"}, A::Export, "a.json", false, true},
      {{"/?"}, A::Help},
      {{"-?"}, A::Help},
      {{"/list", "/?"}, A::Usage},
      {{"/list", "/list"}, A::Usage},
      {{"/list", "/export", "a"}, A::Usage},
      {{"/export", "/json"}, A::Usage},
      {{"/json"}, A::Usage},
      {{"/list", "a"}, A::Usage},
  };
  for (const auto& c : cases) {
    const CommandLine line = ParseCommandLine(c.arguments);
    const std::string shown = ::testing::PrintToString(c.arguments);
    EXPECT_EQ(line.action, c.action) << shown;
    EXPECT_EQ(line.exportFile, c.file) << shown;
    EXPECT_EQ(line.measureSizes, c.sizes) << shown;
    EXPECT_EQ(line.json, c.json) << shown;
  }
}

}  // namespace
}  // namespace zobl::testing
