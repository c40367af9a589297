#include "reports/printed_list.h"

#include <memory>

namespace zobl {
namespace {

constexpr char kLineSample[] = "Wg";  // as high as a line of any text

}  // namespace

std::string PrintHeader(const LocalDateTime& now) {
  return kPrintHeaderStart + std::to_string(now.year) + "." + std::to_string(now.month) + "." +
         std::to_string(now.day) + " " + std::to_string(now.hour) + "h" + std::to_string(now.minute);
}

void PrintInventory(const InventoryList& list, PrintPlatform& platform) {
  if (!platform.ShowPrintDialog()) return;
  const std::string header = PrintHeader(platform.Now());
  const std::unique_ptr<PrintDocument> document = platform.StartDocument(header);
  const int pageHeight = document->PageHeight();
  const int line = document->TextHeight(kLineSample);
  document->SetWhiteFill();
  document->DrawText(0, 0, header);
  int y = 2 * line;  // an empty line under the header
  // The count is read before every row: the printer may let the window's events run,
  // and a refresh may add or drop rows meanwhile.
  for (std::size_t i = 0; i < list.Count(); ++i) {
    const UninstallEntry& row = list.RowAt(i);
    int x = document->DrawText(0, y, row.Name);
    x = document->DrawText(x, y, " Date=" + row.InstallDate());
    x = document->DrawText(x, y, " Size=" + row.SizeDisplay());
    document->DrawText(x, y, " Directory=" + row.SupposedDirectory());
    y += line;
    // The lowest band of a page stays empty. A page is begun only for a row to come: a
    // last row that fills its page is not followed by a blank sheet.
    if (y >= pageHeight - line && i + 1 < list.Count()) {
      document->NewPage();
      y = 0;
    }
  }
  document->End();
}

}  // namespace zobl
