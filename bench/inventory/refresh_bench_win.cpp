// Times the inventory refresh under Wine against the bare registry calls it has to
// make, with 1,000 descriptors: the first refresh (every row new) and a refresh that
// finds nothing changed. Run pinned to one core with its wineserver (see
// bench/inventory_refresh.sh); figures of one run are comparable, across runs not.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "inventory/inventory_list.h"
#include "inventory/inventory_refresh.h"
#include "inventory/uninstall_key.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_locale.h"
#include "platform/win32/win32_registry.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kDescriptors = 1000;
constexpr int kRounds = 9;
constexpr int kNoChangeRepeats = 10;

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Descriptors as MSI products leave them: a product-code key, a name and a command
// naming no path, so that the figures are the registry's and not the disk's.
struct Descriptors {
  HKEY uninstall = nullptr;
  std::vector<std::string> names;
  std::vector<std::string> paths;

  Descriptors() {
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, zobl::kUninstallKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &uninstall,
                    nullptr);
    for (int i = 0; i < kDescriptors; ++i) {
      char name[64];
      std::snprintf(name, sizeof name, "{%08X-5A0B-4C1D-8E2F-%012d}", 0x2B1E0000u + static_cast<unsigned>(i), i);
      names.emplace_back(name);
      paths.push_back(std::string(zobl::kUninstallKeyPath) + "\\" + name);
      HKEY key = nullptr;
      RegCreateKeyExA(uninstall, name, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
      const std::string displayName = "Bench program " + std::to_string(i * 7919 % kDescriptors);
      const std::string command = std::string("MsiExec.exe /X") + name;
      RegSetValueExA(key, "DisplayName", 0, REG_SZ, reinterpret_cast<const BYTE*>(displayName.c_str()),
                     static_cast<DWORD>(displayName.size() + 1));
      RegSetValueExA(key, "UninstallString", 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                     static_cast<DWORD>(command.size() + 1));
      RegCloseKey(key);
    }
  }
  ~Descriptors() {
    for (const std::string& name : names) RegDeleteTreeA(uninstall, name.c_str());
    RegCloseKey(uninstall);
  }
};

// The walk over the Uninstall key that every refresh makes.
int BareEnumeration(bool readValues) {
  HKEY uninstall = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, zobl::kUninstallKeyPath, 0, KEY_ALL_ACCESS, &uninstall) != ERROR_SUCCESS) {
    return 0;
  }
  char path[256];
  std::snprintf(path, sizeof path, "%s\\", zobl::kUninstallKeyPath);
  const std::size_t prefix = std::char_traits<char>::length(path);
  int count = 0;
  for (DWORD index = 0; RegEnumKeyA(uninstall, index, path + prefix, 204) == ERROR_SUCCESS; ++index) {
    ++count;
    if (!readValues) continue;
    for (const char* value : {"DisplayName", "UninstallString"}) {
      HKEY key = nullptr;
      if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) continue;
      BYTE buffer[1024];
      DWORD size = sizeof buffer;
      DWORD type = 0;
      RegQueryValueExA(key, value, nullptr, &type, buffer, &size);
      RegCloseKey(key);
    }
  }
  RegCloseKey(uninstall);
  return count;
}

// The registry calls a refresh with nothing new must make: open and close each
// listed row's key, then the walk.
void BareNoChange(const std::vector<std::string>& paths) {
  for (const std::string& path : paths) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) RegCloseKey(key);
  }
  BareEnumeration(false);
}

template <typename F>
double TimeMs(F&& run) {
  const auto start = Clock::now();
  run();
  return Milliseconds(Clock::now() - start);
}

}  // namespace

int main() {
  zobl::win32::Win32Registry registry;
  zobl::win32::Win32FileSystem files;
  zobl::win32::Win32Locale locale;
  const Descriptors descriptors;
  const int listed = BareEnumeration(false);
  std::printf("Inventory refresh under Wine: %d descriptors of the benchmark, %d under the Uninstall key\n",
              kDescriptors, listed);

  std::vector<double> first, bareFirst, noChange, bareNoChange;
  std::size_t rows = 0;
  for (int round = 0; round < kRounds; ++round) {
    zobl::InventoryList list(locale);
    zobl::InventoryRefresher refresher(registry, files, locale, list, [] { return false; });
    bareFirst.push_back(TimeMs([] { BareEnumeration(true); }));
    first.push_back(TimeMs([&] { refresher.RefreshInventory(); }));
    rows = list.Count();

    std::vector<std::string> listedPaths;
    for (std::size_t i = 0; i < list.Count(); ++i) {
      listedPaths.push_back(std::string(zobl::kUninstallKeyPath) + "\\" + list.RowAt(i).KeyName());
    }
    bareNoChange.push_back(TimeMs([&] {
                             for (int i = 0; i < kNoChangeRepeats; ++i) BareNoChange(listedPaths);
                           }) /
                           kNoChangeRepeats);
    noChange.push_back(TimeMs([&] {
                         for (int i = 0; i < kNoChangeRepeats; ++i) refresher.RefreshTick();
                       }) /
                       kNoChangeRepeats);
    if (list.Count() != rows) {
      std::printf("the list changed during a refresh with no change\n");
      return 1;
    }
  }

  const double noChangeMs = Median(noChange);
  const double bareNoChangeMs = Median(bareNoChange);
  const double firstMs = Median(first);
  const double bareFirstMs = Median(bareFirst);
  std::printf("rows listed: %zu; medians of %d rounds\n", rows, kRounds);
  std::printf("  refresh, nothing changed: %8.2f ms   bare registry calls: %8.2f ms   ratio %.2f\n", noChangeMs,
              bareNoChangeMs, noChangeMs / bareNoChangeMs);
  std::printf("  first refresh, all new:   %8.2f ms   bare registry calls: %8.2f ms   ratio %.2f\n", firstMs,
              bareFirstMs, firstMs / bareFirstMs);
  std::printf("  share of one core spent by a tick every 2000 ms: %.2f %%\n", noChangeMs / 2000.0 * 100.0);
  return 0;
}
