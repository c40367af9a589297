// The real window in this process while the descriptor churner adds and removes
// descriptors beside it: compute runs, sorts, tab switches, prints and both list
// commands, round after round, until the time is up; then the list must settle on
// exactly what the registry holds. Run in a working directory of its own, in a Wine
// prefix whose default printer's output goes to PAPER (see tests/scripts/churn_check.sh).
//   zobl_churn_check.exe SECONDS CHURNER UNINSTALLER PAPER
// Prints the churn's figures; exit code 0 when every check held.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "mainwindow/app_composition.h"
#include "mainwindow/system_services.h"
#include "churn_keys.h"
#include "churner_process.h"
#include "message_box_answerer.h"
#include "planted_programs.h"
#include "window_churn.h"

namespace {

constexpr int kTrees = 8;
constexpr std::size_t kFailuresShown = 20;

struct ChurnKeysSwept {
  ChurnKeysSwept() { zobl::churn::SweepChurnKeys(); }  // what a crashed run left
  ~ChurnKeysSwept() { zobl::churn::SweepChurnKeys(); }
  ChurnKeysSwept(const ChurnKeysSwept&) = delete;
  ChurnKeysSwept& operator=(const ChurnKeysSwept&) = delete;
};

std::string WorkingDirectory() {
  char path[MAX_PATH] = {};
  GetCurrentDirectoryA(sizeof path, path);
  return path;
}

int Run(int seconds, const std::string& churnerProgram, const std::string& uninstaller, const std::string& paper) {
  using namespace zobl::churn;
  const ChurnKeysSwept swept;
  const PlantedPrograms planted(WorkingDirectory() + "\\trees", kTrees, uninstaller);
  // The churner's expandable commands name the trees through this variable.
  SetEnvironmentVariableA("ZOBL_CHURN_TREES", planted.TreesPath().c_str());
  ChurnerProcess churner(churnerProgram, planted.TreesPath(), kTrees);
  // A box nobody expected is answered too, so the run never hangs on one, and is kept
  // for the report.
  zobl::testing::MessageBoxAnswerer answers(IDNO);
  zobl::SystemServices system;
  zobl::AppComposition app(system);
  zobl::MainWindow mainWindow(system.Window(), app);
  mainWindow.Create(GetModuleHandleA(nullptr));
  mainWindow.Show();

  WindowChurn churn(mainWindow, planted, answers, paper);
  const DWORD start = GetTickCount();
  churn.AwaitChurnRows();
  int rounds = 0;
  do {
    churn.Round(++rounds);
  } while (GetTickCount() - start < static_cast<DWORD>(seconds) * 1000);
  const std::string churned = churner.Stop();
  churn.FinalCheck();
  SendMessageA(mainWindow.Handle(), WM_CLOSE, 0, 0);
  const double elapsed = (GetTickCount() - start) / 1000.0;

  const ChurnFigures& f = churn.Figures();
  std::printf("churn: %.1f s, %d rounds\n", elapsed, rounds);
  std::printf("churner: %s", churned.c_str());
  std::printf("refreshes: %ld timer ticks, %ld RefreshTick calls; a stable descriptor listed a tick late %ld times\n",
              f.timerTicks, f.calledTicks, f.stableLate);
  std::printf("window: %ld compute runs, %ld sorts, %ld tab switches, %ld prints\n", f.computeRuns, f.sorts,
              f.tabSwitches, f.prints);
  std::printf(
      "list commands: %ld uninstalls run, %ld declined; %ld lines removed, %ld refused (subkey), "
      "%ld gone first, %ld declined\n",
      f.uninstallsRun, f.uninstallsDeclined, f.removed, f.removalsRefused, f.removalsGoneFirst, f.removalsDeclined);
  std::printf("rows checked: %ld\nfailures: %zu\n", f.rowsChecked, churn.Failures().size());
  for (std::size_t i = 0; i < churn.Failures().size() && i < kFailuresShown; ++i) {
    std::printf("  %s\n", churn.Failures()[i].c_str());
  }
  return churn.Failures().empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5 || std::atoi(argv[1]) <= 0) {
    std::fprintf(stderr, "usage: zobl_churn_check SECONDS CHURNER UNINSTALLER PAPER\n");
    return 2;
  }
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES |
                                                     ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  try {
    return Run(std::atoi(argv[1]), argv[2], argv[3], argv[4]);
  } catch (const std::exception& failure) {
    std::printf("zobl_churn_check: %s\n", failure.what());
    return 1;
  }
}
