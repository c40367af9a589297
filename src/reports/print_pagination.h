#pragma once

#include <cstddef>
#include <vector>

#include "platform/print_platform.h"

namespace zobl {

// The first row of each page when `rows` lines `line` high fill pages `pageHeight` high:
// the first page begins under the header and an empty line, the lowest line band of every
// page stays empty, and a page is begun only for a row to come. Always one page at least.
[[nodiscard]] std::vector<std::size_t> PageStarts(std::size_t rows, int line, int pageHeight);

// The document's pages in the order they go to paper for the copies asked; the pages
// are repeated here only when the printer does not make the copies itself.
[[nodiscard]] std::vector<std::size_t> PageOrder(std::size_t pages, const PrintCopies& copies);

}  // namespace zobl
