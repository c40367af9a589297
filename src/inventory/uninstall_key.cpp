#include "inventory/uninstall_key.h"

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
  location += keyName;
  return location;
}

}  // namespace zobl
