#include "commandline/inventory_export.h"

#include "inventory/inventory_csv.h"
#include "inventory/inventory_list.h"
#include "inventory/inventory_refresh.h"

namespace zobl {

std::optional<std::string> ExportedInventory(ExportSystem& system,
                                             const ExportRequest& request,
                                             ComputeSizesView& progress) {
  InventoryList list(system.locale);
  InventoryRefresher refresher(system.registry, system.fileSystem, system.locale, list, [] { return false; });
  if (!refresher.RefreshInventory()) return std::nullopt;
  if (request.measureSizes) {
    ComputeSizesRun(list, system.listing, system.pump, system.ticks, progress).ButtonCalculeTailleClick();
  }
  if (request.json) return InventoryJson(list, request.origin, system.codePage);
  return (request.byteOrderMark ? kUtf8ByteOrderMark : "") + system.codePage.ToUtf8(InventoryCsv(list));
}

}  // namespace zobl
