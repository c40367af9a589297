#include "commandline/inventory_json.h"

#include <algorithm>
#include <nlohmann/json.hpp>

#include "inventory/column_text.h"
#include "inventory/uninstall_key.h"

namespace zobl {
namespace {

using Json = nlohmann::ordered_json;  // the fields in the order a reader meets them documented

template <typename T>
Json OrNull(const std::optional<T>& value) {
  return value ? Json(*value) : Json(nullptr);
}

// JSON readers of JavaScript and PowerShell hold a number as a double, whose integers are
// exact only up to 2^53 - 1: a larger one would be read as another number. No size or
// language a program records is that large, so it is none.
Json ExactNumber(std::optional<std::uint64_t> number) {
  constexpr std::uint64_t kLargestExact = (std::uint64_t{1} << 53) - 1;
  return number && *number <= kLargestExact ? Json(*number) : Json(nullptr);
}

}  // namespace

const char* SourceName(RegistrySource source) {
  switch (source) {
    case RegistrySource::Machine64: return "machine64";
    case RegistrySource::Machine32: return "machine32";
    case RegistrySource::User: return "user";
  }
  return "";
}

std::string InventoryJson(const InventoryList& list,
                          const InventoryOrigin& origin,
                          std::span<const UnreadableDescriptor> unreadable) {
  static const DescriptorDetails kNoDetails;
  Json programs = Json::array();
  for (std::size_t i = 0; i < list.Count(); ++i) {
    const UninstallEntry& row = list.RowAt(i);
    const DescriptorDetails& details = row.details ? *row.details : kNoDetails;
    std::optional<std::string> date = row.installDate;  // "yyyy.mm.dd"
    if (date) std::ranges::replace(*date, '.', '-');
    const bool measured = row.size == SizeState::Measured;
    programs.push_back({
        {"name", OrNull(row.name)},
        {"keyName", ColumnText(row, kKeyNameColumn)},
        {"registryPath", DescriptorLocation(row.source, row.keyName)},
        {"source", SourceName(row.source)},
        {"installDate", OrNull(date)},
        {"sizeBytes", measured ? ExactNumber(row.sizeBytes) : Json(nullptr)},
        // The list's stand-in for a row not yet measured is no result: null, as its byte count.
        {"sizeText", row.size == SizeState::NotYetComputed ? Json(nullptr) : Json(ColumnText(row, kSizeColumn))},
        {"command", OrNull(row.command)},
        {"directory", OrNull(row.directory)},
        {"publisher", OrNull(row.publisher)},
        {"version", OrNull(row.displayVersion)},
        {"installLocation", OrNull(details.installLocation)},
        {"installSource", OrNull(details.installSource)},
        {"language", ExactNumber(details.language)},
        {"estimatedSizeBytes", ExactNumber(details.estimatedSizeBytes)},
        {"registryInstallDate", OrNull(details.registryInstallDate)},
        {"productCode", OrNull(details.productCode)},
        {"windowsInstaller", OrNull(details.windowsInstaller)},
        {"systemComponent", OrNull(details.systemComponent)},
        {"quietUninstallCommand", OrNull(details.quietUninstallCommand)},
        {"parentKeyName", OrNull(details.parentKeyName)},
        {"releaseType", OrNull(details.releaseType)},
    });
  }
  Json unread = Json::array();
  for (const UnreadableDescriptor& descriptor : unreadable) {
    unread.push_back({
        {"registryPath", DescriptorLocation(descriptor.source, descriptor.keyName)},
        {"source", SourceName(descriptor.source)},
        {"error", descriptor.reason},
    });
  }
  const Json document = {
      {"computer", origin.computer},
      {"exported", origin.exported},
      {"programs", std::move(programs)},
      {"unreadable", std::move(unread)},
  };
  // Bytes that are no UTF-8 (none come from the system's conversions) become U+FFFD
  // rather than cost the whole document.
  return document.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace zobl
