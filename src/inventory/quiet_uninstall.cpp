#include "inventory/quiet_uninstall.h"

#include <vector>

#include "inventory/descriptor_values.h"
#include "inventory/inventory_refresh.h"
#include "platform/path_rules.h"
#include "inventory/uninstall_key.h"

namespace zobl {

std::optional<std::string> QuietUninstallCommand(Registry& registry,
                                                 FileSystem& fileSystem,
                                                 RegistrySource source,
                                                 const std::string& keyName) {
  const ScopedRegistryKey uninstall(registry, source, kUninstallKeyPath);
  if (!uninstall.IsOpen()) return std::nullopt;
  // Through the Uninstall key: a long name would make the full path too long.
  const ScopedRegistryKey descriptor(registry, uninstall.Get(), keyName.c_str());
  if (!descriptor.IsOpen()) return std::nullopt;
  std::vector<RegistryValue> values;
  RegistryValue value;
  std::uint32_t quietType = kTextType;
  for (std::uint32_t index = 0;; ++index) {
    const EnumerationStep step = registry.EnumerateValue(descriptor.Get(), index, value);
    if (step == EnumerationStep::Failed) return std::nullopt;
    if (step == EnumerationStep::End) break;
    if (EqualIgnoringAsciiCase(value.name, "QuietUninstallString")) quietType = value.type;
    values.push_back(std::move(value));
  }
  const DescriptorDetails details = ReadDescriptorDetails(DescriptorValues(std::move(values)), keyName);
  if (details.quietUninstallCommand && !details.quietUninstallCommand->empty()) {
    return ValueText(details.quietUninstallCommand->c_str(), quietType, source, fileSystem);
  }
  // The product's own UninstallString (/I) opens its maintenance; /X removes it.
  if (details.productCode) return "MsiExec.exe /X" + *details.productCode + " /qn /norestart";
  return std::nullopt;
}

}  // namespace zobl
