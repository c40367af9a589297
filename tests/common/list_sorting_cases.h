#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "inventory/column_text.h"
#include "inventory/inventory_list.h"
#include "ui/list_sorting.h"

namespace zobl::testing {

// Rows as a refresh and a compute-sizes run leave them, and the order each column
// gives them, run against the portable comparison and against the system's.
struct SortingRow {
  const char* name;  // nullptr: a descriptor without one
  const char* keyName;
  const char* installDate;  // nullptr: unknown
  SizeState size;
  std::uint64_t sizeBytes;
  const char* command;    // nullptr: none readable
  const char* directory;  // nullptr: none found
};

inline constexpr std::uint64_t kGiB = 1ull << 30;

inline const std::vector<SortingRow>& SortingRows() {
  using enum SizeState;
  static const std::vector<SortingRow> rows = {
      {"acme tools", "{B1D0E2F4-0000-4000-8000-000000000001}", "2001.07.02", Measured, 5 * kGiB, "C:\\Acme\\un.exe",
       "C:\\Acme"},
      {"Bravo", "bravo", nullptr, NotYetComputed, 0, nullptr, nullptr},
      {"Acme Tools", "AcmeTools", "1999.12.31", Measured, 2 * kGiB, "MsiExec.exe /X{A}", "C:\\Program Files\\Acme"},
      {nullptr, "{A0000000-0000-4000-8000-000000000002}", "2010.01.05", Unknown, 0, "C:\\Zed\\x.exe", nullptr},
      {"3D Planner", "3DPlanner", nullptr, Measured, 1526, "C:\\Program Files\\3D Planner\\Uninstall.exe",
       "C:\\Program Files\\3D Planner"},
  };
  return rows;
}

struct ColumnOrder {
  int column;
  std::vector<const char*> names;  // the rows' names in the order the column gives, ties in Name order
};

inline const std::vector<ColumnOrder>& ColumnOrders() {
  static const std::vector<ColumnOrder> orders = {
      // Punctuation before digits before letters; lower case first between equals.
      {0, {"[NO NAME]", "3D Planner", "acme tools", "Acme Tools", "Bravo"}},
      {1, {"[NO NAME]", "acme tools", "3D Planner", "Acme Tools", "Bravo"}},
      // Newest first, "[unknown]" after every date.
      {2, {"[NO NAME]", "acme tools", "Acme Tools", "3D Planner", "Bravo"}},
      // Largest first by the full 64-bit count; unmeasured rows (0) last, whatever their text.
      {3, {"acme tools", "Acme Tools", "3D Planner", "[NO NAME]", "Bravo"}},
      {4, {"Bravo", "acme tools", "3D Planner", "[NO NAME]", "Acme Tools"}},
      {5, {"[NO NAME]", "Bravo", "acme tools", "3D Planner", "Acme Tools"}},
  };
  return orders;
}

inline std::optional<std::string> Optional(const char* text) {
  return text != nullptr ? std::optional<std::string>(text) : std::nullopt;
}

// Adds the rows as a refresh does, each put in Name order as it comes.
inline void FillList(InventoryList& list, const std::vector<SortingRow>& rows) {
  for (const SortingRow& row : rows) {
    list.Add({.name = Optional(row.name), .keyName = row.keyName, .installDate = Optional(row.installDate),
              .size = row.size, .sizeBytes = row.sizeBytes, .command = Optional(row.command),
              .directory = Optional(row.directory)});
  }
}

inline std::vector<std::string> NamesInOrder(const InventoryList& list) {
  std::vector<std::string> names;
  for (std::size_t i = 0; i < list.Count(); ++i) names.push_back(SortText(list.RowAt(i), kNameColumn));
  return names;
}

inline std::vector<std::string> Strings(const std::vector<const char*>& texts) { return {texts.begin(), texts.end()}; }

}  // namespace zobl::testing
