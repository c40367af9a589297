#include "platform/path_rules.h"

#include <gtest/gtest.h>

#include "platform/portable_locale.h"

namespace zobl {
namespace {

using Rule = bool (*)(std::string_view, std::string_view);
const Rule kContains = [](std::string_view t, std::string_view d) {
  return ContainsPathIgnoringCase(t, d, PortableLocale());
};
const Rule kDriveRoot = [](std::string_view path, std::string_view) { return StartsWithDriveRoot(path); };
const Rule kBelowRoot = [](std::string_view path, std::string_view) { return IsBelowDriveRoot(path); };
const Rule kDevice = [](std::string_view path, std::string_view) { return NamesDevice(path); };

struct PathRuleRow {
  Rule rule;
  const char* first;
  const char* second;
  bool expected;
};

TEST(PathRules, WholeNamesCaseAndDrives) {
  const PathRuleRow rows[] = {
      {IsAbove, "C:\\Apps", "C:\\Apps\\Tool", true},
      {IsAbove, "C:\\Apps", "C:\\Apps2", false},
      {IsAbove, "C:\\Apps", "C:\\Apps", false},
      {IsAbove, "C:\\apps", "C:\\Apps\\Tool", false},
      {IsSameOrAboveIgnoringAsciiCase, "c:\\apps", "C:\\Apps", true},
      {IsSameOrAboveIgnoringAsciiCase, "C:\\Apps\\x", "C:\\Apps", false},
      {IsSameOrAboveIgnoringAsciiCase, "C:\\\xE9", "C:\\\xC9", false},
      {kContains, "C:\\Windows10Upgrade", "C:\\WINDOWS", false},
      {kContains, "C:\\WindowsX C:\\windows", "C:\\WINDOWS", true},
      {kContains, "C:\\WINDOWS\\x", "C:\\WINDOWS\\", true},
      {kDriveRoot, "z:\\", "", true},
      {kDriveRoot, "1:\\x", "", false},
      {kBelowRoot, "C:\\", "", false},
      {kBelowRoot, "C:\\a", "", true},
      {EndsWithIgnoringAsciiCase, "SETUP.Exe", ".exe", true},
      {kDevice, "NUL", "", true},
      {kDevice, "C:\\out\\nul.csv", "", true},
      {kDevice, "Com1 .txt", "", true},
      {kDevice, "d:lpt9", "", true},
      {kDevice, "\\\\.\\pipe\\x", "", true},
      {kDevice, "C:\\null.csv", "", false},
      {kDevice, "C:\\COM0", "", false},
      {kDevice, "C:\\CON\\inventory.csv", "", false},
  };
  for (const PathRuleRow& row : rows) {
    EXPECT_EQ(row.rule(row.first, row.second), row.expected) << row.first << " / " << row.second;
  }
}

}  // namespace
}  // namespace zobl
