#include "commandline/inventory_export.h"

#include "inventory/inventory_csv.h"
#include "inventory/inventory_list.h"

namespace zobl {

std::optional<ExportedDocument> ExportedInventory(ExportSystem& system,
                                                  const ExportRequest& request,
                                                  ComputeSizesObserver& progress) {
  InventoryList list(system.locale);
  InventoryRefresher refresher(system.registry, system.fileSystem, system.locale, list,
                               RegistryReading::Complete);
  if (!refresher.RefreshInventory()) return std::nullopt;
  if (request.measureSizes) {
    ComputeSizesRun(list, system.listing, system.pump).ComputeFileSizes(progress);
  }
  ExportedDocument document{.unreadable = refresher.Unreadable()};
  if (request.json) {
    document.text = InventoryJson(list, request.origin, document.unreadable);
  } else {
    document.text = (request.byteOrderMark ? kUtf8ByteOrderMark : "") + InventoryCsv(list, request.forConsole);
  }
  return document;
}

}  // namespace zobl
