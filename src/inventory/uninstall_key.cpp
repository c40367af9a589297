#include "inventory/uninstall_key.h"

#include "inventory/uninstall_entry.h"
#include "platform/utf16_text.h"

namespace zobl {

std::string DescriptorLocation(RegistrySource source, std::string_view keyName) {
  std::string location;
  switch (source) {
    case RegistrySource::Machine64:
      location = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
      break;
    case RegistrySource::Machine32:
      location = "HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
      break;
    case RegistrySource::User:
      location = "HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
      break;
  }
  location += ShownKeyName(keyName);
  return location;
}

std::string RowInfoTip(const UninstallEntry& row) {
  std::string tip = DescriptorLocation(row.source, row.keyName);
  if (row.publisher) tip += "\r\nPublisher: " + *row.publisher;
  if (row.displayVersion) tip += "\r\nVersion: " + *row.displayVersion;
  if (row.directoryFromInstallLocation) tip += "\r\nDirectory from InstallLocation";
  return tip;
}

}  // namespace zobl
