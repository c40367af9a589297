#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "inventory/inventory_list.h"

namespace zobl {

// Measured rows whose supposed directories are the same or lie one inside the other:
// one slice of the pie.
struct PieGroup {
  std::string label;        // the rows' names joined by "+"
  std::uint64_t bytes = 0;  // one row's size: its directory holds those of the others
  std::string directory;
  friend bool operator==(const PieGroup&, const PieGroup&) = default;
};

// The list's measured rows in display order, each joined to the earliest group whose
// directory is its own, lies inside its own or holds its own; a row that finds none
// starts a group. A row whose directory holds groups takes them over, all of them as
// one: that group gets the row's directory and size, and the labels of those it took,
// in the order they were started. No group's directory lies inside another's, so no byte
// is counted in two slices. Groups come in the order they were started.
std::vector<PieGroup> GroupByDirectory(const InventoryList& list);

}  // namespace zobl
