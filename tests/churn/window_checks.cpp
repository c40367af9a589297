#include "window_checks.h"

#include <commctrl.h>

#include <map>
#include <optional>
#include <set>
#include <utility>

#include "churn_keys.h"
#include "gui_support.h"
#include "inventory/column_text.h"

namespace zobl::churn {
namespace {

std::string Describe(RegistrySource source, const std::string& keyName) {
  return std::string(SourceTag(source)) + ":" + keyName;
}

// The value's text; false when the key or value cannot be read.
bool ReadText(HKEY key, const char* name, std::string& text) {
  char buffer[1024];
  DWORD size = sizeof buffer;
  DWORD type = 0;
  if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS) {
    return false;
  }
  text.assign(buffer, size > 0 && buffer[size - 1] == '\0' ? size - 1 : size);
  return true;
}

// Key names compare as the registry compares them.
std::string Upper(std::string text) {
  CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

}  // namespace

const UninstallEntry* FindRow(const InventoryList& list, RegistrySource source, const std::string& keyName) {
  for (std::size_t i = 0; i < list.Count(); ++i) {
    const UninstallEntry& row = list.RowAt(i);
    if (row.source == source && row.keyName == keyName) return &row;
  }
  return nullptr;
}

bool KeyExists(RegistrySource source, const std::string& keyName) {
  const win32::ScopedKey uninstall = OpenUninstallKey(source, KEY_READ);
  win32::ScopedKey key;
  return uninstall.IsValid() && RegOpenKeyExA(uninstall.Get(), keyName.c_str(), 0, KEY_READ, key.Receive()) == 0;
}

Problems ViewShowsList(HWND listView, const InventoryList& list, long& rowsChecked) {
  Problems problems;
  const auto shown = static_cast<std::size_t>(SendMessageA(listView, LVM_GETITEMCOUNT, 0, 0));
  if (shown != list.Count()) {
    problems.push_back("the list control shows " + std::to_string(shown) + " rows, the list has " +
                       std::to_string(list.Count()));
    return problems;
  }
  for (std::size_t i = 0; i < list.Count(); ++i, ++rowsChecked) {
    for (int column = 0; column < kColumnCount; ++column) {
      const std::string cell = testing::CellText(listView, static_cast<int>(i), column);
      if (cell != ColumnText(list.RowAt(i), static_cast<ListColumn>(column))) {
        problems.push_back("row " + std::to_string(i) + " column " + std::to_string(column) + " shows \"" + cell +
                           "\", the list holds \"" + ColumnText(list.RowAt(i), static_cast<ListColumn>(column)) + "\"");
      }
    }
  }
  return problems;
}

Problems NoKeyListedTwice(const InventoryList& list) {
  Problems problems;
  std::set<std::pair<RegistrySource, std::string>> seen;
  for (std::size_t i = 0; i < list.Count(); ++i) {
    const UninstallEntry& row = list.RowAt(i);
    if (!seen.insert({row.source, Upper(row.keyName)}).second) {
      problems.push_back(Describe(row.source, row.keyName) + " is listed twice");
    }
  }
  return problems;
}

Problems StableRowsListed(const InventoryList& list, const std::vector<StableDescriptor>& stable) {
  Problems problems;
  for (const StableDescriptor& descriptor : stable) {
    const UninstallEntry* row = FindRow(list, descriptor.source, descriptor.keyName);
    if (row == nullptr) {
      problems.push_back("stable descriptor " + Describe(descriptor.source, descriptor.keyName) + " is not listed");
    } else if (row->name != descriptor.displayName || row->command != descriptor.command) {
      problems.push_back("stable descriptor " + Describe(descriptor.source, descriptor.keyName) + " shows \"" +
                         ColumnText(*row, kNameColumn) + "\" / \"" + ColumnText(*row, kCommandColumn) + "\"");
    }
  }
  return problems;
}

Problems SortedBy(const InventoryList& list, int column) {
  Problems problems;
  for (std::size_t i = 1; i < list.Count(); ++i) {
    const UninstallEntry& before = list.RowAt(i - 1);
    const UninstallEntry& after = list.RowAt(i);
    bool inOrder;
    if (column == kSizeColumn) {
      inOrder = before.sizeBytes >= after.sizeBytes;  // largest first
    } else {
      const int order = lstrcmpA(ColumnText(before, static_cast<ListColumn>(column)).c_str(),
                                 ColumnText(after, static_cast<ListColumn>(column)).c_str());
      inOrder = column == kInstallDateColumn ? order >= 0 : order <= 0;  // dates newest first
    }
    if (!inOrder) {
      problems.push_back("sorted by column " + std::to_string(column) + ", row " + std::to_string(i - 1) + " (" +
                         before.keyName + ") comes before row " + std::to_string(i) + " (" + after.keyName + ")");
    }
  }
  return problems;
}

Problems MeasuredSizesMatch(const InventoryList& list, const std::vector<PlantedTree>& trees) {
  Problems problems;
  for (std::size_t i = 0; i < list.Count(); ++i) {
    const UninstallEntry& row = list.RowAt(i);
    if (row.size == SizeState::NotYetComputed) continue;  // added after the run went past
    for (const PlantedTree& tree : trees) {
      if (row.directory == tree.directory && row.sizeBytes != tree.bytes) {
        problems.push_back(Describe(row.source, row.keyName) + " measured " + std::to_string(row.sizeBytes) +
                           " bytes in " + tree.directory + ", which holds " + std::to_string(tree.bytes));
      }
    }
  }
  return problems;
}

Problems ListMatchesRegistry(const InventoryList& list, long& rowsChecked) {
  Problems problems;
  std::map<std::pair<RegistrySource, std::string>, int> rowsPerKey;
  for (std::size_t i = 0; i < list.Count(); ++i, ++rowsChecked) {
    const UninstallEntry& row = list.RowAt(i);
    ++rowsPerKey[{row.source, Upper(row.keyName)}];
    const win32::ScopedKey uninstall = OpenUninstallKey(row.source, KEY_READ);
    win32::ScopedKey key;
    std::string name;
    std::optional<std::string> command(std::in_place);
    if (!uninstall.IsValid() ||
        RegOpenKeyExA(uninstall.Get(), row.keyName.c_str(), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS) {
      problems.push_back("row " + Describe(row.source, row.keyName) + " has no descriptor");
      continue;
    }
    if (!ReadText(key.Get(), "DisplayName", name) || name != row.name) {
      problems.push_back("row " + Describe(row.source, row.keyName) + " is named \"" + ColumnText(row, kNameColumn) +
                         "\", its descriptor \"" + name + "\"");
    }
    if (!ReadText(key.Get(), "UninstallString", *command)) command.reset();
    if (command != row.command) {
      problems.push_back("row " + Describe(row.source, row.keyName) + " shows the command \"" +
                         ColumnText(row, kCommandColumn) + "\", its descriptor \"" + command.value_or("") + "\"");
    }
  }
  for (const RegistrySource source : kRegistrySources) {
    const win32::ScopedKey uninstall = OpenUninstallKey(source, KEY_READ);
    char keyName[256];
    for (DWORD index = 0;
         uninstall.IsValid() && RegEnumKeyA(uninstall.Get(), index, keyName, sizeof keyName) == ERROR_SUCCESS;
         ++index) {
      win32::ScopedKey key;
      std::string name;
      if (RegOpenKeyExA(uninstall.Get(), keyName, 0, KEY_READ, key.Receive()) != ERROR_SUCCESS ||
          !ReadText(key.Get(), "DisplayName", name)) {
        continue;  // nameless: hidden
      }
      const int rows = rowsPerKey[{source, Upper(keyName)}];
      if (rows != 1) problems.push_back(Describe(source, keyName) + " has " + std::to_string(rows) + " rows");
    }
  }
  return problems;
}

Problems RemovalsBackedUp(const InventoryList& list,
                          const std::vector<RemovedDescriptor>& removed,
                          const std::string& backupText) {
  Problems problems;
  for (const RemovedDescriptor& descriptor : removed) {
    const std::string name = Describe(descriptor.source, descriptor.keyName);
    if (KeyExists(descriptor.source, descriptor.keyName)) problems.push_back("removed " + name + " is back");
    if (FindRow(list, descriptor.source, descriptor.keyName) != nullptr) {
      problems.push_back("removed " + name + " is listed");
    }
    std::string header(1, '[');  // appended to: GCC 12 gives a false -Wrestrict for "..." + string
    header += EditorPath(descriptor.source, descriptor.keyName) + "]\r\n";
    // The file is UTF-16LE; the churner's key names are ASCII.
    std::string header16;
    for (const char c : header) header16 += {c, '\0'};
    if (backupText.find(header16) == std::string::npos) {
      problems.push_back("removed " + name + " has no copy in the backup file");
    }
  }
  return problems;
}

}  // namespace zobl::churn
