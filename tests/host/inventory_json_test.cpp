#include "commandline/inventory_json.h"

#include <gtest/gtest.h>

#include <string>

#include "commandline/measuring_progress.h"
#include "platform/portable_locale.h"

namespace zobl::testing {
namespace {

// Every field of a row in each state, every text exact (quotes, backslashes, control
// characters escaped as JSON requires, any script as it is, no apostrophe before "="),
// null where the row has nothing.
TEST(InventoryJson, ExactTextsAndNullsInNameOrder) {
  const PortableLocale locale;
  InventoryList list(locale);
  list.Add({.Source = RegistrySource::User,
            .Name = "Acme \"Q\" \\ \t\x01 \xD0\x97",
            .KeyName = "K",
            .InstallDate = "2001.07.02",
            .Size = SizeState::Measured,
            .SizeBytes = 1536,
            .Command = "=cmd|x",
            .Directory = "C:\\A"});
  list.Add({.Source = RegistrySource::Machine32, .Name = "B", .KeyName = "{G}", .Size = SizeState::Unknown});
  const std::string expected = R"({
  "computer": "HOST-1",
  "exported": "2026-12-08T01:35:00Z",
  "programs": [
    {
      "name": "Acme \"Q\" \\ \t\u0001 )" "\xD0\x97" R"(",
      "keyName": "K",
      "registryPath": "HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\K",
      "source": "user",
      "installDate": "2001-07-02",
      "sizeBytes": 1536,
      "sizeText": "1.50 Kb",
      "command": "=cmd|x",
      "directory": "C:\\A"
    },
    {
      "name": "B",
      "keyName": "{G}",
      "registryPath": "HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{G}",
      "source": "machine32",
      "installDate": null,
      "sizeBytes": null,
      "sizeText": "unknown",
      "command": null,
      "directory": null
    }
  ]
}
)";
  EXPECT_EQ(InventoryJson(list, {"HOST-1", "2026-12-08T01:35:00Z"}, Utf8ProcessCodePage()), expected);
}

// The measuring's line, written over in place and cut to the console's width; blanks
// cover what a shorter line leaves of a longer one, and the end clears it.
TEST(InventoryJson, MeasuringProgressLines) {
  std::string shown;
  MeasuringProgress progress([&](std::string_view text) { shown += text; }, 24);
  progress.BeginProgress(2);
  progress.MeasuringRow("Acme Notes");
  progress.StepProgress();
  progress.MeasuringRow("B\x1B\xC2\x9B");  // ESC and CSI: no control sequence reaches the console
  progress.StepProgress();
  progress.MeasuringRow("Joined later, a long name");
  progress.EndProgress();
  EXPECT_EQ(shown,
            "\rMeasuring 1 of 2: Acme "
            "\rMeasuring 2 of 2: B\xEF\xBF\xBD\xEF\xBF\xBD  \r"
            "\rMeasuring 3 of 3: Joine"
            "\r                       \r");
}

}  // namespace
}  // namespace zobl::testing
