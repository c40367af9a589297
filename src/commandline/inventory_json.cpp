#include "commandline/inventory_json.h"

#include <algorithm>
#include <nlohmann/json.hpp>

#include "inventory/column_text.h"
#include "inventory/uninstall_key.h"

namespace zobl {
namespace {

using Json = nlohmann::ordered_json;  // the fields in the order a reader meets them documented

const char* SourceName(RegistrySource source) {
  switch (source) {
    case RegistrySource::Machine64: return "machine64";
    case RegistrySource::Machine32: return "machine32";
    case RegistrySource::User: return "user";
  }
  return "";
}

}  // namespace

std::string InventoryJson(const InventoryList& list, const InventoryOrigin& origin, const ProcessCodePage& codePage) {
  const auto text = [&codePage](const std::optional<std::string>& value) -> Json {
    return value ? Json(codePage.ToUtf8(*value)) : Json(nullptr);
  };
  Json programs = Json::array();
  for (std::size_t i = 0; i < list.Count(); ++i) {
    const UninstallEntry& row = list.RowAt(i);
    std::optional<std::string> date = row.InstallDate;  // "yyyy.mm.dd"
    if (date) std::ranges::replace(*date, '.', '-');
    programs.push_back({
        {"name", text(row.Name)},
        {"keyName", text(row.KeyName)},
        {"registryPath", text(DescriptorLocation(row.Source, row.KeyName))},
        {"source", SourceName(row.Source)},
        {"installDate", text(date)},
        {"sizeBytes", row.Size == SizeState::Measured ? Json(row.SizeBytes) : Json(nullptr)},
        // The list's stand-in for a row not yet measured is no result: null, as its byte count.
        {"sizeText", row.Size == SizeState::NotYetComputed ? Json(nullptr) : text(ColumnText(row, kSizeColumn))},
        {"command", text(row.Command)},
        {"directory", text(row.Directory)},
    });
  }
  const Json document = {
      {"computer", origin.computer},
      {"exported", origin.exported},
      {"programs", std::move(programs)},
  };
  // Bytes that are no UTF-8 (none come from the system's conversions) become U+FFFD
  // rather than cost the whole document.
  return document.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace zobl
