#include "reports/printed_list.h"

#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "inventory/column_text.h"
#include "reports/print_pagination.h"

namespace zobl {
namespace {

constexpr char kLineSample[] = "Wg";  // as high as a line of any text

// A row's line in the pieces drawn one after another.
using PrintedRow = std::array<std::string, 4>;

// The printer may let the window's events run while it draws, and a refresh may then add
// or drop rows: the rows are copied before the first drawing call, and only copies drawn.
std::vector<PrintedRow> CopyRows(const ShownRows& shown) {
  std::vector<PrintedRow> rows;
  rows.reserve(shown.Count());
  for (std::size_t i = 0; i < shown.Count(); ++i) {
    const UninstallEntry& row = shown.RowAt(i);
    rows.push_back({ColumnText(row, kNameColumn), " Date=" + ColumnText(row, kInstallDateColumn),
                    " Size=" + ColumnText(row, kSizeColumn), " Directory=" + ColumnText(row, kSupposedDirectoryColumn)});
  }
  return rows;
}

}  // namespace

std::string PrintHeader(const LocalDateTime& now) {
  return kPrintHeaderStart + std::to_string(now.year) + "." + std::to_string(now.month) + "." +
         std::to_string(now.day) + " " + std::to_string(now.hour) + "h" + std::to_string(now.minute);
}

void PrintInventory(const ShownRows& shown, PrintPlatform& platform) {
  const std::optional<PrintCopies> copies = platform.ShowPrintDialog();
  if (!copies) return;
  const std::string header = PrintHeader(platform.Now());
  const std::vector<PrintedRow> rows = CopyRows(shown);
  const std::unique_ptr<PrintDocument> document = platform.StartDocument(header);
  const int line = document->TextHeight(kLineSample);
  const std::vector<std::size_t> starts = PageStarts(rows.size(), line, document->PageHeight());
  document->SetWhiteFill();
  bool first = true;
  for (const std::size_t page : PageOrder(starts.size(), *copies)) {
    if (!first) document->NewPage();
    first = false;
    int y = 0;
    if (page == 0) {
      document->DrawText(0, 0, header);
      y = 2 * line;  // an empty line under the header
    }
    const std::size_t end = page + 1 < starts.size() ? starts[page + 1] : rows.size();
    for (std::size_t i = starts[page]; i < end; ++i, y += line) {
      int x = 0;
      for (const std::string& piece : rows[i]) x = document->DrawText(x, y, piece);
    }
  }
  document->End();
}

}  // namespace zobl
