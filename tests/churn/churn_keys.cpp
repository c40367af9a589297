#include "churn_keys.h"

#include <vector>

#include "inventory/uninstall_key.h"
#include "platform/win32/registry_roots.h"

namespace zobl::churn {
namespace {

bool SetText(HKEY key, const char* name, const std::string& text, DWORD type) {
  return RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                        static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

}  // namespace

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
  int swept = 0;
  for (const RegistrySource source : kRegistrySources) {
    const win32::ScopedKey uninstall = OpenUninstallKey(source);
    if (!uninstall.IsValid()) continue;
    std::vector<std::string> ours;
    char name[256];
    for (DWORD index = 0; RegEnumKeyA(uninstall.Get(), index, name, sizeof name) == ERROR_SUCCESS; ++index) {
      if (std::string(name).rfind(kChurnPrefix, 0) == 0) ours.emplace_back(name);
    }
    for (const std::string& key : ours) swept += RegDeleteTreeA(uninstall.Get(), key.c_str()) == ERROR_SUCCESS;
  }
  return swept;
}

bool WriteDescriptor(HKEY uninstall, const std::string& keyName, const DescriptorValues& values) {
  win32::ScopedKey key;
  if (RegCreateKeyExA(uninstall, keyName.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.Receive(), nullptr) !=
      ERROR_SUCCESS) {
    return false;
  }
  bool written = true;
  if (values.withSubkey) {
    win32::ScopedKey part;
    written = RegCreateKeyExA(key.Get(), "Components", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, part.Receive(),
                              nullptr) == ERROR_SUCCESS;
  }
  if (!values.command.empty()) {
    written =
        SetText(key.Get(), "UninstallString", values.command, values.expandable ? REG_EXPAND_SZ : REG_SZ) && written;
  }
  written = SetText(key.Get(), "Publisher", "ZOBL churn", REG_SZ) && written;
  if (!values.displayName.empty()) written = SetText(key.Get(), "DisplayName", values.displayName, REG_SZ) && written;
  return written;
}

}  // namespace zobl::churn
