#include "commandline/inventory_json.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "commandline/measuring_progress.h"
#include "platform/portable_locale.h"
#include "platform/utf16_text.h"

namespace zobl::testing {
namespace {

RegistryValue Stored(const char* name, std::uint32_t type, std::string bytes) { return {name, type, std::move(bytes)}; }
RegistryValue StoredText(const char* name, std::string_view text, std::uint32_t type = kTextType) {
  return Stored(name, type, Utf16LeBytes(Utf16FromUtf8Lossy(text)) + std::string(2, '\0'));
}
RegistryValue StoredDword(const char* name, std::uint32_t number) {
  return Stored(name, kDwordType, std::string(reinterpret_cast<const char*>(&number), 4));
}
RegistryValue StoredQword(const char* name, std::uint64_t number) {
  return Stored(name, kQwordType, std::string(reinterpret_cast<const char*>(&number), 8));
}

// Every field of a row in each state, every text exact (quotes, backslashes, control
// characters escaped as JSON requires, any script as it is, no apostrophe before "="),
// null where the descriptor has nothing; values read as they are stored (a number stored
// as a text, an expandable text not expanded, a date that is none kept as written).
TEST(InventoryJson, ExactTextsAndNullsInNameOrder) {
  const PortableLocale locale;
  InventoryList list(locale);
  const std::string productCode = "{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9}";
  list.Add({.source = RegistrySource::User,
            .name = "Acme \"Q\" \\ \t\x01 \xD0\x97",
            .keyName = productCode,
            .publisher = "\xCE\xA9mega \xE4\xB8\xAD\xE6\x96\x87",
            .displayVersion = "2.1",
            .installDate = "2001.07.02",
            .size = SizeState::Measured,
            .sizeBytes = 1536,
            .command = "=cmd|x",
            .directory = "C:\\A",
            .details = std::make_shared<const DescriptorDetails>(ReadDescriptorDetails(
                DescriptorValues({StoredText("InstallLocation", "%ProgramFiles%\\A", kExpandableTextType),
                                  StoredText("InstallSource", "D:\\"), StoredDword("Language", 1033),
                                  StoredText("EstimatedSize", " 1536 "), StoredText("installdate", "20240229"),
                                  StoredDword("WindowsInstaller", 1), StoredDword("SystemComponent", 0),
                                  StoredText("QuietUninstallString", "un.exe /S"), StoredText("ParentKeyName", "P"),
                                  StoredText("ReleaseType", "Update")}),
                productCode))});
  // Integers a double keeps exactly (to 2^53 - 1), and none above: 2^43 KiB is 2^53 bytes.
  list.Add({.source = RegistrySource::Machine32,
            .name = "B",
            .keyName = "{G}",
            .size = SizeState::Unknown,
            .details = std::make_shared<const DescriptorDetails>(ReadDescriptorDetails(
                DescriptorValues({StoredQword("Language", (1ull << 53) - 1), StoredQword("EstimatedSize", 1ull << 43)}),
                "{G}"))});
  const std::string notInstaller = "{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F0}";
  list.Add({.name = "C",
            .keyName = notInstaller,
            .details = std::make_shared<const DescriptorDetails>(ReadDescriptorDetails(
                DescriptorValues({StoredText("InstallDate", "20230229"), StoredText("WindowsInstaller", "0"),
                                  Stored("Language", kBinaryType, "\x09\x04")}),
                notInstaller))});
  const UnreadableDescriptor locked{RegistrySource::Machine64, "Locked", "Access is denied."};
  const std::string expected = R"({
  "computer": "HOST-1",
  "exported": "2026-12-08T01:35:00Z",
  "programs": [
    {
      "name": "Acme \"Q\" \\ \t\u0001 )" "\xD0\x97" R"(",
      "keyName": "{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9}",
      "registryPath": "HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9}",
      "source": "user",
      "installDate": "2001-07-02",
      "sizeBytes": 1536,
      "sizeText": "1.50 Kb",
      "command": "=cmd|x",
      "directory": "C:\\A",
      "publisher": ")" "\xCE\xA9mega \xE4\xB8\xAD\xE6\x96\x87" R"(",
      "version": "2.1",
      "installLocation": "%ProgramFiles%\\A",
      "installSource": "D:\\",
      "language": 1033,
      "estimatedSizeBytes": 1572864,
      "registryInstallDate": "2024-02-29",
      "productCode": "{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9}",
      "windowsInstaller": true,
      "systemComponent": false,
      "quietUninstallCommand": "un.exe /S",
      "parentKeyName": "P",
      "releaseType": "Update"
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
      "directory": null,
      "publisher": null,
      "version": null,
      "installLocation": null,
      "installSource": null,
      "language": 9007199254740991,
      "estimatedSizeBytes": null,
      "registryInstallDate": null,
      "productCode": null,
      "windowsInstaller": null,
      "systemComponent": null,
      "quietUninstallCommand": null,
      "parentKeyName": null,
      "releaseType": null
    },
    {
      "name": "C",
      "keyName": "{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F0}",
      "registryPath": "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F0}",
      "source": "machine64",
      "installDate": null,
      "sizeBytes": null,
      "sizeText": null,
      "command": null,
      "directory": null,
      "publisher": null,
      "version": null,
      "installLocation": null,
      "installSource": null,
      "language": null,
      "estimatedSizeBytes": null,
      "registryInstallDate": "20230229",
      "productCode": null,
      "windowsInstaller": false,
      "systemComponent": null,
      "quietUninstallCommand": null,
      "parentKeyName": null,
      "releaseType": null
    }
  ],
  "unreadable": [
    {
      "registryPath": "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Locked",
      "source": "machine64",
      "error": "Access is denied."
    }
  ]
}
)";
  EXPECT_EQ(InventoryJson(list, {"HOST-1", "2026-12-08T01:35:00Z"}, std::span(&locked, 1)), expected);
}

// The measuring's line, written over in place and cut to the console's width; blanks
// cover what a shorter line leaves of a longer one, and the end clears it.
TEST(InventoryJson, MeasuringProgressLines) {
  std::string shown;
  MeasuringProgress progress([&](std::string_view text) { shown += text; }, 24);
  progress.RunBegun(2);
  progress.MeasuringRow("Acme Notes");
  progress.RowMeasured();
  progress.MeasuringRow("B\x1B\xC2\x9B");  // ESC and CSI: no control sequence reaches the console
  progress.RowMeasured();
  progress.MeasuringRow("Joined later, a long name");
  progress.RunEnded();
  EXPECT_EQ(shown,
            "\rMeasuring 1 of 2: Acme "
            "\rMeasuring 2 of 2: B\xEF\xBF\xBD\xEF\xBF\xBD  \r"
            "\rMeasuring 3 of 3: Joine"
            "\r                       \r");
}

}  // namespace
}  // namespace zobl::testing
