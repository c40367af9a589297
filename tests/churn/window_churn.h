#pragma once

#include <functional>
#include <string>
#include <vector>

#include "descriptor_keys.h"
#include "mainwindow/main_window.h"
#include "message_box_answerer.h"
#include "planted_programs.h"
#include "window_checks.h"

namespace zobl::churn {

struct ChurnFigures {
  long timerTicks = 0;   // the window's own timer, as this pump handed it on
  long calledTicks = 0;  // RefreshTick() called directly
  long computeRuns = 0;
  long sorts = 0;
  long tabSwitches = 0;
  long prints = 0;
  long uninstallsRun = 0;
  long uninstallsDeclined = 0;
  long removed = 0;            // "Remove Line" took the descriptor out
  long removalsRefused = 0;    // the descriptor has a subkey: nothing changed
  long removalsGoneFirst = 0;  // the churner had taken it already
  long removalsDeclined = 0;
  long rowsChecked = 0;
  long stableLate = 0;  // a stable descriptor not yet listed after a refresh
};

// Works the real window as a user would while the descriptors churn beneath it, and
// checks after each step what must hold whatever the registry does meanwhile.
class WindowChurn {
 public:
  WindowChurn(MainWindow& mainWindow,
              const PlantedPrograms& planted,
              testing::MessageBoxAnswerer& answers,
              std::string paperPath);

  // Waits until the churn shows in the list.
  void AwaitChurnRows();
  // One compute run, the sorts, the tabs, a print and both list commands.
  void Round(int number);
  // Once the churn has stopped: the list settles on exactly what the registry holds.
  void FinalCheck();

  [[nodiscard]] const ChurnFigures& Figures() const { return figures_; }
  [[nodiscard]] const Problems& Failures() const { return failures_; }

 private:
  bool PumpUntil(const std::function<bool()>& done, int timeoutMilliseconds);
  void Expect(const Problems& found, const std::string& when);
  int ExpectBoxes(std::size_t count, const char* question, const std::string& when, const char* lastBox = nullptr);
  void Tick();
  void SelectRow(RowId id);
  void ClickTab(int tab);

  void ComputeRun();
  void SortEveryWay();
  void SwitchTabs();
  void Print(int round);
  void Uninstall(int round);
  void RemoveLines(int round);

  MainWindow& mainWindow_;
  testing::DescriptorKeys keys_{testing::DescriptorKeys::AtEnd::Keep};  // the churn's sweep removes them
  const PlantedPrograms& planted_;
  testing::MessageBoxAnswerer& answers_;
  std::string paperPath_;
  ChurnFigures figures_;
  Problems failures_;
  std::vector<RemovedDescriptor> removed_;
  std::vector<bool> stableListed_;  // by index in the planted stable descriptors
};

}  // namespace zobl::churn
