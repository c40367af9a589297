// Times the inventory refresh under Wine against the bare registry calls it has to
// make, with 1,000 descriptors spread over the three sources (the machine's 64-bit and
// 32-bit views and the current user): the first refresh (every row new) and a refresh
// that finds nothing changed. Run pinned to one core with its wineserver (see
// bench/inventory_refresh.sh, and with 10,000 by bench/growth.sh); figures of one run
// are comparable, across runs not.
//   zobl_inventory_refresh_bench [--descriptors N] [--rounds N]   (1,000 and 9 unless given)
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "inventory/inventory_list.h"
#include "inventory/inventory_refresh.h"
#include "inventory/uninstall_key.h"
#include "platform/registry.h"
#include "platform/win32/registry_roots.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_locale.h"
#include "platform/win32/win32_registry.h"

namespace {

using Clock = std::chrono::steady_clock;

int descriptorCount = 1000;
int rounds = 9;
constexpr int kNoChangeRepeats = 10;

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

using zobl::kRegistrySources;
using zobl::RegistrySource;
using zobl::win32::Root;
using zobl::win32::ViewFlag;

// Descriptors as MSI products leave them: a product-code key, a name and a command
// naming no path, so that the figures are the registry's and not the disk's. Descriptor
// i goes to the sources in turn.
struct Descriptors {
  HKEY uninstall[kRegistrySources.size()] = {};
  std::vector<std::string> names;

  explicit Descriptors(int count) {
    for (std::size_t s = 0; s < kRegistrySources.size(); ++s) {
      RegCreateKeyExA(Root(kRegistrySources[s]), zobl::kUninstallKeyPath, 0, nullptr, 0,
                      KEY_ALL_ACCESS | ViewFlag(kRegistrySources[s]), nullptr, &uninstall[s], nullptr);
    }
    for (int i = 0; i < count; ++i) {
      char name[64];
      std::snprintf(name, sizeof name, "{%08X-5A0B-4C1D-8E2F-%012d}", 0x2B1E0000u + static_cast<unsigned>(i), i);
      names.emplace_back(name);
      HKEY key = nullptr;
      RegCreateKeyExA(uninstall[i % kRegistrySources.size()], name, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr);
      const std::string displayName = "Bench program " + std::to_string(i * 7919 % count);
      const std::string command = std::string("MsiExec.exe /X") + name;
      RegSetValueExA(key, "DisplayName", 0, REG_SZ, reinterpret_cast<const BYTE*>(displayName.c_str()),
                     static_cast<DWORD>(displayName.size() + 1));
      RegSetValueExA(key, "UninstallString", 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                     static_cast<DWORD>(command.size() + 1));
      RegCloseKey(key);
    }
  }
  ~Descriptors() {
    for (std::size_t i = 0; i < names.size(); ++i)
      RegDeleteTreeA(uninstall[i % kRegistrySources.size()], names[i].c_str());
    for (HKEY key : uninstall) RegCloseKey(key);
  }
};

// The walk over the three Uninstall keys that every refresh makes.
int BareEnumeration(bool readValues) {
  int count = 0;
  for (const RegistrySource source : kRegistrySources) {
    HKEY uninstall = nullptr;
    if (RegOpenKeyExA(Root(source), zobl::kUninstallKeyPath, 0, KEY_READ | ViewFlag(source), &uninstall) !=
        ERROR_SUCCESS) {
      continue;
    }
    char path[256];
    std::snprintf(path, sizeof path, "%s\\", zobl::kUninstallKeyPath);
    const std::size_t prefix = std::char_traits<char>::length(path);
    for (DWORD index = 0; RegEnumKeyA(uninstall, index, path + prefix, 204) == ERROR_SUCCESS; ++index) {
      ++count;
      if (!readValues) continue;
      // A command naming no path sends the refresh on to InstallLocation.
      for (const char* value : {"DisplayName", "UninstallString", "InstallLocation"}) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(Root(source), path, 0, KEY_READ | ViewFlag(source), &key) != ERROR_SUCCESS) continue;
        BYTE buffer[1024];
        DWORD size = sizeof buffer;
        DWORD type = 0;
        RegQueryValueExA(key, value, nullptr, &type, buffer, &size);
        RegCloseKey(key);
      }
    }
    RegCloseKey(uninstall);
  }
  return count;
}

struct ListedPath {
  RegistrySource source;
  std::string path;
};

// The registry calls a refresh with nothing new must make: open and close each
// listed row's key in its source, then the walk.
void BareNoChange(const std::vector<ListedPath>& paths) {
  for (const ListedPath& listed : paths) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(Root(listed.source), listed.path.c_str(), 0, KEY_READ | ViewFlag(listed.source), &key) ==
        ERROR_SUCCESS) {
      RegCloseKey(key);
    }
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

int main(int argc, char** argv) {
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--descriptors") descriptorCount = std::atoi(argv[i + 1]);
    if (option == "--rounds") rounds = std::atoi(argv[i + 1]);
  }
  if (descriptorCount <= 0 || rounds <= 0) {
    std::fprintf(stderr, "usage: zobl_inventory_refresh_bench [--descriptors N] [--rounds N]\n");
    return 2;
  }
  zobl::win32::Win32Registry registry;
  zobl::win32::Win32FileSystem files;
  zobl::win32::Win32Locale locale;
  const Descriptors descriptors(descriptorCount);
  const int listed = BareEnumeration(false);
  std::printf(
      "Inventory refresh under Wine: %d descriptors of the benchmark over three sources, %d under the three "
      "Uninstall keys\n",
      descriptorCount, listed);

  std::vector<double> first, bareFirst, noChange, bareNoChange;
  std::size_t rows = 0;
  for (int round = 0; round < rounds; ++round) {
    zobl::InventoryList list(locale);
    zobl::InventoryRefresher refresher(registry, files, locale, list);
    bareFirst.push_back(TimeMs([] { BareEnumeration(true); }));
    first.push_back(TimeMs([&] { refresher.RefreshInventory(); }));
    rows = list.Count();

    std::vector<ListedPath> listedPaths;
    for (std::size_t i = 0; i < list.Count(); ++i) {
      const zobl::UninstallEntry& row = list.RowAt(i);
      listedPaths.push_back({row.source, std::string(zobl::kUninstallKeyPath) + "\\" + row.keyName});
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
  std::printf("rows listed: %zu; medians of %d rounds\n", rows, rounds);
  std::printf("  refresh, nothing changed: %8.2f ms   bare registry calls: %8.2f ms   ratio %.2f\n", noChangeMs,
              bareNoChangeMs, noChangeMs / bareNoChangeMs);
  std::printf("  first refresh, all new:   %8.2f ms   bare registry calls: %8.2f ms   ratio %.2f\n", firstMs,
              bareFirstMs, firstMs / bareFirstMs);
  std::printf("  share of one core spent by a tick every 2000 ms: %.2f %%\n", noChangeMs / 2000.0 * 100.0);
  return 0;
}
