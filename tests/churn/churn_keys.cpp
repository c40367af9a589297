#include "churn_keys.h"

#include <stdexcept>
#include <vector>

#include "inventory/uninstall_key.h"
#include "platform/win32/registry_roots.h"

namespace zobl::churn {

win32::ScopedKey OpenUninstallKey(RegistrySource source, REGSAM access) {
  win32::ScopedKey key;
  if (RegCreateKeyExA(win32::Root(source), kUninstallKeyPath, 0, nullptr, 0, access | win32::ViewFlag(source), nullptr,
                      key.Receive(), nullptr) != ERROR_SUCCESS) {
    key.Reset();
  }
  return key;
}

std::string EditorPath(RegistrySource source, const std::string& keyName) {
  static constexpr const char* kRoots[] = {
      "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\",
      "HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\",
      "HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"};
  return kRoots[static_cast<int>(source)] + keyName;
}

const char* SourceTag(RegistrySource source) {
  static constexpr const char* kTags[] = {"64", "32", "U"};
  return kTags[static_cast<int>(source)];
}

int SweepChurnKeys() {
  testing::DescriptorKeys keys(testing::DescriptorKeys::AtEnd::Keep);
  int swept = 0;
  for (const RegistrySource source : kRegistrySources) {
    std::vector<std::string> ours;
    char name[256];
    for (DWORD index = 0; RegEnumKeyA(keys.Uninstall(source), index, name, sizeof name) == ERROR_SUCCESS; ++index) {
      if (std::string(name).rfind(kChurnPrefix, 0) == 0) ours.emplace_back(name);
    }
    for (const std::string& key : ours) swept += keys.Delete(source, key) == ERROR_SUCCESS;
  }
  return swept;
}

bool WriteDescriptor(testing::DescriptorKeys& keys,
                     RegistrySource source,
                     const std::string& keyName,
                     const DescriptorValues& values) {
  try {
    keys.Create(source, keyName);
    if (values.withSubkey) keys.Create(source, keyName + "\\Components");
    if (!values.command.empty()) {
      keys.SetText(source, keyName, "UninstallString", values.command, values.expandable ? REG_EXPAND_SZ : REG_SZ);
    }
    keys.SetText(source, keyName, "Publisher", "ZOBL churn");
    if (!values.displayName.empty()) keys.SetText(source, keyName, "DisplayName", values.displayName);
    return true;
  } catch (const std::runtime_error&) {
    return false;
  }
}

}  // namespace zobl::churn
