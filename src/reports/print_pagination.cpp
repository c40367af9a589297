#include "reports/print_pagination.h"

namespace zobl {

std::vector<std::size_t> PageStarts(std::size_t rows, int line, int pageHeight) {
  std::vector<std::size_t> starts{0};
  int y = 2 * line;
  for (std::size_t row = 0; row < rows; ++row) {
    y += line;
    if (y >= pageHeight - line && row + 1 < rows) {
      starts.push_back(row + 1);
      y = 0;
    }
  }
  return starts;
}

std::vector<std::size_t> PageOrder(std::size_t pages, const PrintCopies& copies) {
  const std::size_t count = copies.byPrinter || copies.count < 1 ? 1 : static_cast<std::size_t>(copies.count);
  std::vector<std::size_t> order;
  order.reserve(pages * count);
  if (copies.collate) {
    for (std::size_t copy = 0; copy < count; ++copy) {
      for (std::size_t page = 0; page < pages; ++page) order.push_back(page);
    }
  } else {
    for (std::size_t page = 0; page < pages; ++page) order.insert(order.end(), count, page);
  }
  return order;
}

}  // namespace zobl
