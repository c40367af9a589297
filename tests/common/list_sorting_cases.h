#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "inventory/inventory_list.h"
#include "mainwindow/list_sorting.h"

namespace zobl::testing {

// Rows as a refresh and a compute-sizes run leave them, and the order each column
// gives them, run against the portable comparison and against the system's.
struct SortingRow {
  const char* name;
  std::vector<const char*> furtherTexts;  // KeyName, InstallDate, SizeDisplay, Command, SupposedDirectory
  std::uint64_t sizeBytes;
};

inline constexpr std::uint64_t kGiB = 1ull << 30;

inline const std::vector<SortingRow>& SortingRows() {
  static const std::vector<SortingRow> rows = {
      {"acme tools",
       {"{B1D0E2F4-0000-4000-8000-000000000001}", "2001.07.02", "5.00 Gb", "C:\\Acme\\un.exe", "C:\\Acme"},
       5 * kGiB},
      {"Bravo", {"bravo", "[unknown]", "[NOT YET COMPUTED]", "[NO COMMAND]", "[MISSING OR SYSTEM DIRECTORY ?]"}, 0},
      {"Acme Tools", {"AcmeTools", "1999.12.31", "2.00 Gb", "MsiExec.exe /X{A}", "C:\\Program Files\\Acme"}, 2 * kGiB},
      {"[NO NAME]",
       {"{A0000000-0000-4000-8000-000000000002}", "2010.01.05", "unknown", "C:\\Zed\\x.exe",
        "[MISSING OR SYSTEM DIRECTORY ?]"},
       0},
      {"3D Planner",
       {"3DPlanner", "[unknown]", "1.49 Kb", "C:\\Program Files\\3D Planner\\Uninstall.exe",
        "C:\\Program Files\\3D Planner"},
       1526},
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

// Appends the rows as a refresh does: named first (which sorts), texts after.
inline void FillList(InventoryList& list, const std::vector<SortingRow>& rows) {
  for (const SortingRow& row : rows) {
    const RowId id = list.Append();
    list.SetName(id, row.name);
    for (const char* text : row.furtherTexts) list.AppendFurtherText(id, text);
    list.SetSizeBytes(id, row.sizeBytes);
  }
}

inline std::vector<std::string> NamesInOrder(const InventoryList& list) {
  std::vector<std::string> names;
  for (std::size_t i = 0; i < list.Count(); ++i) names.push_back(list.RowAt(i).Name);
  return names;
}

inline std::vector<std::string> Strings(const std::vector<const char*>& texts) { return {texts.begin(), texts.end()}; }

}  // namespace zobl::testing
