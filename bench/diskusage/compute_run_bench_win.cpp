// Times "Compute the Files Size" in the real window against DirectorySize alone on the
// same directories, in one process: what the run adds on top of its scans (list
// updates, the progress bar, the pie's rebuilds) shows in the ratio. 200 descriptors
// name program directories of 100 files each under C:\ZoblComputeBench, which
// bench/compute_run.sh makes once; run pinned to one core with its wineserver.
//   zobl_compute_run_bench.exe [--rounds N] [--expect BYTES]
// A round is one reference pass then one run, after a warm-up pass of each.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "mainwindow/app_composition.h"
#include "mainwindow/system_services.h"
#include "diskusage/directory_size.h"
#include "inventory/column_text.h"
#include "shown_texts.h"
#include "inventory/uninstall_key.h"
#include "mainwindow/main_window.h"
#include "platform/win32/win32_directory_listing.h"
#include "platform/win32/win32_message_pump.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kPrograms = 200;
constexpr char kTreeRoot[] = "C:\\ZoblComputeBench";
constexpr char kKeyPrefix[] = "ZoblComputeBench";

std::string Numbered(int i) {
  char digits[8];
  std::snprintf(digits, sizeof digits, "%03d", i);
  return digits;
}

std::string ProgramDirectory(int i) { return std::string(kTreeRoot) + "\\App" + Numbered(i); }

// One descriptor per program directory, as their setup programs would leave them;
// gone again when the bench ends, however it ends.
class ComputeBenchDescriptors {
 public:
  ComputeBenchDescriptors() {
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, zobl::kUninstallKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &uninstall_, nullptr) != ERROR_SUCCESS) {
      uninstall_ = nullptr;
      return;
    }
    for (int i = 0; i < kPrograms; ++i) {
      const std::string name = kKeyPrefix + Numbered(i);
      const std::string displayName = "Compute bench program " + std::to_string(i);
      std::string command = "\"";  // appended to: GCC 12 gives a false -Wrestrict for "..." + string
      command += ProgramDirectory(i) + "\\uninstall.exe\" /S";
      HKEY key = nullptr;
      if (RegCreateKeyExA(uninstall_, name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
          ERROR_SUCCESS) {
        continue;
      }
      names_.push_back(name);
      RegSetValueExA(key, "DisplayName", 0, REG_SZ, reinterpret_cast<const BYTE*>(displayName.c_str()),
                     static_cast<DWORD>(displayName.size() + 1));
      RegSetValueExA(key, "UninstallString", 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                     static_cast<DWORD>(command.size() + 1));
      RegCloseKey(key);
    }
  }
  ~ComputeBenchDescriptors() {
    for (const std::string& name : names_) RegDeleteKeyA(uninstall_, name.c_str());
    if (uninstall_ != nullptr) RegCloseKey(uninstall_);
  }
  ComputeBenchDescriptors(const ComputeBenchDescriptors&) = delete;
  ComputeBenchDescriptors& operator=(const ComputeBenchDescriptors&) = delete;

  [[nodiscard]] std::size_t Count() const { return names_.size(); }

 private:
  HKEY uninstall_ = nullptr;
  std::vector<std::string> names_;
};

// Handles what waits in the queue (paints, the refresh timer) so that no pass pays for
// what the one before it left.
void Drain() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

struct Reference {
  double seconds = 0;
  std::vector<std::uint64_t> sizes;  // per measured row
  std::uint64_t total = 0;
};

// DirectorySize over every measured row's directory, in display order, with the pump
// the window's own run uses.
Reference TimeReference(const std::vector<std::string>& directories) {
  zobl::win32::Win32DirectoryListing listing;
  zobl::win32::Win32MessagePump pump;
  Reference reference;
  reference.sizes.reserve(directories.size());
  Drain();
  const auto start = Clock::now();
  for (const std::string& directory : directories) {
    reference.sizes.push_back(zobl::DirectorySize(directory, listing, pump));
  }
  reference.seconds = SecondsSince(start);
  for (const std::uint64_t size : reference.sizes) reference.total += size;
  return reference;
}

// The run as a click on the button starts it, from the List tab where a user sees the
// sizes arrive; the message returns once the run is over.
double TimeRun(zobl::MainWindow& mainWindow) {
  mainWindow.ActivatePage(zobl::WindowPage::List);
  Drain();
  const HWND button = mainWindow.Control(zobl::kComputeSizesButton);
  const auto start = Clock::now();
  SendMessageA(mainWindow.Handle(), WM_COMMAND, MAKEWPARAM(zobl::kComputeSizesButton, BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
  return SecondsSince(start);
}

bool Measured(const zobl::UninstallEntry& row) {
  const std::string& directory = zobl::ColumnText(row, zobl::kSupposedDirectoryColumn);
  return !directory.empty() && directory != zobl::kMissingDirectoryText;
}

// The run's sizes of the measured rows; false, with a word on stderr, when one differs
// from the reference's.
bool RunSizesAgree(zobl::MainWindow& mainWindow,
                   const std::vector<std::size_t>& rows,
                   const Reference& reference,
                   std::uint64_t& total) {
  total = 0;
  bool agree = mainWindow.Inventory().Count() >= rows.size();
  for (std::size_t k = 0; agree && k < rows.size(); ++k) {
    const zobl::UninstallEntry& row = mainWindow.Inventory().RowAt(rows[k]);
    total += row.sizeBytes;
    if (row.sizeBytes != reference.sizes[k]) {
      std::fprintf(stderr, "%s: run %llu bytes (\"%s\"), DirectorySize %llu\n", zobl::ColumnText(row, zobl::kSupposedDirectoryColumn).c_str(),
                   static_cast<unsigned long long>(row.sizeBytes), zobl::ColumnText(row, zobl::kSizeColumn).c_str(),
                   static_cast<unsigned long long>(reference.sizes[k]));
      agree = false;
    }
  }
  return agree;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

int Bench(int rounds, std::uint64_t expected) {
  for (int i = 0; i < kPrograms; ++i) {
    if (GetFileAttributesA((ProgramDirectory(i) + "\\uninstall.exe").c_str()) == INVALID_FILE_ATTRIBUTES) {
      std::fprintf(stderr, "%s\\uninstall.exe is missing: make the tree first (bench/compute_run.sh)\n",
                   ProgramDirectory(i).c_str());
      return 1;
    }
  }
  const ComputeBenchDescriptors descriptors;
  if (descriptors.Count() != kPrograms) {
    std::fprintf(stderr, "only %zu of %d descriptors could be made\n", descriptors.Count(), kPrograms);
    return 1;
  }

  zobl::SystemServices system;
  zobl::AppComposition app(system);
  zobl::MainWindow mainWindow(system.Window(), app);
  mainWindow.Create(GetModuleHandleA(nullptr));
  mainWindow.Show();
  Drain();

  // Every row with a directory is measured by both, the bench's and any other the
  // prefix lists; rows without one cost the run a text and are left in its share.
  std::vector<std::size_t> rows;
  std::vector<std::string> directories;
  for (std::size_t i = 0; i < mainWindow.Inventory().Count(); ++i) {
    const zobl::UninstallEntry& row = mainWindow.Inventory().RowAt(i);
    if (!Measured(row)) continue;
    rows.push_back(i);
    directories.push_back(zobl::ColumnText(row, zobl::kSupposedDirectoryColumn));
  }
  std::printf("%zu rows, %zu with a directory (first %s, last %s)\n", mainWindow.Inventory().Count(), rows.size(),
              directories.empty() ? "-" : directories.front().c_str(),
              directories.empty() ? "-" : directories.back().c_str());
  if (rows.size() < static_cast<std::size_t>(kPrograms)) {
    std::fprintf(stderr, "the window found fewer program directories than the bench made\n");
    return 1;
  }

  // Warm-up: the file system's caches, the Pie tab's first showing, fonts.
  const Reference warm = TimeReference(directories);
  TimeRun(mainWindow);
  std::uint64_t runTotal = 0;
  if (!RunSizesAgree(mainWindow, rows, warm, runTotal)) return 1;

  std::vector<double> referenceSeconds;
  std::vector<double> runSeconds;
  bool agree = true;
  for (int round = 1; round <= rounds; ++round) {
    const Reference reference = TimeReference(directories);
    const double run = TimeRun(mainWindow);
    agree = RunSizesAgree(mainWindow, rows, reference, runTotal) && reference.total == warm.total && agree;
    referenceSeconds.push_back(reference.seconds);
    runSeconds.push_back(run);
    std::printf("  round %d: sum of DirectorySize %.3f s, compute run %.3f s  (%.3f)\n", round, reference.seconds, run,
                run / reference.seconds);
    std::fflush(stdout);
  }

  const double reference = Median(referenceSeconds);
  const double run = Median(runSeconds);
  std::printf("bytes: DirectorySize %llu, compute run %llu\n", static_cast<unsigned long long>(warm.total),
              static_cast<unsigned long long>(runTotal));
  std::printf("median of %d: sum of DirectorySize %.3f s, compute run %.3f s\n", rounds, reference, run);
  std::printf("compute run / sum of DirectorySize: %.3f (goal: at most 1.05)\n", run / reference);
  if (!agree) {
    std::fprintf(stderr, "the run's sizes differ from DirectorySize's\n");
    return 1;
  }
  if (expected != 0 && warm.total != expected) {
    std::fprintf(stderr, "DirectorySize found %llu bytes, the tree holds %llu\n",
                 static_cast<unsigned long long>(warm.total), static_cast<unsigned long long>(expected));
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  int rounds = 5;
  std::uint64_t expected = 0;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--rounds") == 0 && i + 1 < argc) {
      rounds = std::atoi(argv[++i]);
    } else if (std::strcmp(argv[i], "--expect") == 0 && i + 1 < argc) {
      expected = std::strtoull(argv[++i], nullptr, 10);
    } else {
      rounds = 0;
      break;
    }
  }
  if (rounds < 1) {
    std::fprintf(stderr, "usage: zobl_compute_run_bench [--rounds N] [--expect BYTES]\n");
    return 2;
  }
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES |
                                                     ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  return Bench(rounds, expected);
}
