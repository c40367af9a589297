#include "ui/tidy_queue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fake_directory_tree.h"
#include "fake_inventory_world.h"
#include "ui/tidy_texts.h"

namespace zobl::testing {
namespace {

// What an uninstaller has done by the time it and everything it started have ended; a
// gone program's folder is not there at all.
enum class Then { RemovesAll, LeavesFolder, KeepsDescriptor, ComesBack, CannotStart, Gone };
enum class Run { Plainly, Quietly, Elevated, StoppedDuringFirst, RemovingLines, RemovingLinesUnbackedUp };

struct ProgramCase {
  const char* key;
  Then then;
  const char* quietValue = nullptr;  // QuietUninstallString
  bool msi = false;                  // made by Windows Installer: the key is the product code
  RegistrySource source = RegistrySource::Machine64;
};

struct TidyCase {
  const char* name;
  Run run;
  std::vector<ProgramCase> programs;
  std::vector<std::string> started;  // command lines, in order
  std::string progress;              // while each ran
  std::string summary;               // as Ctrl+C copies it
  std::vector<std::string> listedAfter;
};

constexpr char kMsiKey[] = "{A78279E5-BC3E-4A86-BA57-F72C3E649FFC}";
constexpr char kAcmeQuiet[] = "\"C:\\Programs\\Acme\\uninst.exe\" /S";
const std::string kLeftBehind = "removed, left behind\tC:\\Programs\\Acme\t2.92 Kb\r\n";

const TidyCase kCases[] = {
    {"OneAfterAnotherInTickedOrderQuietOff",
     Run::Plainly,
     {{"Bravo", Then::RemovesAll}, {"Acme", Then::RemovesAll, kAcmeQuiet}},
     {"\"C:\\Programs\\Bravo\\uninst.exe\"", "\"C:\\Programs\\Acme\\uninst.exe\""},
     "Uninstalling 1 of 2: Bravo; Uninstalling 2 of 2: Acme; ",
     "Bravo\tremoved\t\t\r\nAcme\tremoved\t\t\r\n",
     {}},
    {"QuietlyWhereOffered",
     Run::Quietly,
     {{"Acme", Then::RemovesAll, kAcmeQuiet},
      {kMsiKey, Then::RemovesAll, nullptr, true},
      {"Plain", Then::RemovesAll, "%ZoblPrograms%\\Plain\\uninst.exe /S"}},
     {kAcmeQuiet, std::string("\"MsiExec.exe\" /X") + kMsiKey + " /qn /norestart",
      "\"C:\\Programs\\Plain\\uninst.exe\" /S"},
     "Uninstalling 1 of 3: Acme; Uninstalling 2 of 3: " + std::string(kMsiKey) + "; Uninstalling 3 of 3: Plain; ",
     std::string("Acme\tremoved\t\t\r\n") + kMsiKey + "\tremoved\t\t\r\nPlain\tremoved\t\t\r\n",
     {}},
    {"EachOutcome",
     Run::Plainly,
     {{"Acme", Then::LeavesFolder},
      {"Bravo", Then::KeepsDescriptor},
      {"Charlie", Then::CannotStart},
      {"Delta", Then::ComesBack},
      {"Echo", Then::RemovesAll, nullptr, false, RegistrySource::User}},
     {"\"C:\\Programs\\Acme\\uninst.exe\"", "\"C:\\Programs\\Bravo\\uninst.exe\"",
      "\"C:\\Programs\\Charlie\\uninst.exe\"", "\"C:\\Programs\\Delta\\uninst.exe\"",
      "\"C:\\Programs\\Echo\\uninst.exe\""},
     "Uninstalling 1 of 5: Acme; Uninstalling 2 of 5: Bravo; Uninstalling 4 of 5: Delta; Uninstalling 5 of 5: Echo; ",
     "Acme\t" + kLeftBehind +
         "Bravo\tstill listed (exit code 1)\t\t\r\nCharlie\tnot started: error 2\t\t\r\n"
         "Delta\tstill listed (exit code 0)\t\t\r\nEcho\tremoved\t\t\r\n",
     {"Bravo", "Charlie", "Delta"}},
    {"PerUserWithTheUsersRightsWhenElevated",
     Run::Elevated,
     {{"Acme", Then::RemovesAll, nullptr, false, RegistrySource::User},
      {"Bravo", Then::RemovesAll},
      {"Charlie", Then::CannotStart, nullptr, false, RegistrySource::User}},
     {"as user: \"C:\\Programs\\Acme\\uninst.exe\"", "\"C:\\Programs\\Bravo\\uninst.exe\"",
      "as user: \"C:\\Programs\\Charlie\\uninst.exe\""},
     "Uninstalling 1 of 3: Acme; Uninstalling 2 of 3: Bravo; ",
     "Acme\tremoved\t\t\r\nBravo\tremoved\t\t\r\nCharlie\tnot started: Programs without administrator rights can "
     "change it, and it could not be started with your ordinary rights (uninstall it from the list to be asked): "
     "error 2\t\t\r\n",
     {"Charlie"}},
    {"StopRunsTheOneUnderWayToItsEnd",
     Run::StoppedDuringFirst,
     {{"Acme", Then::LeavesFolder}, {"Bravo", Then::RemovesAll}, {"Charlie", Then::RemovesAll}},
     {"\"C:\\Programs\\Acme\\uninst.exe\""},
     "Uninstalling 1 of 3: Acme; ",
     "Acme\t" + kLeftBehind + "Bravo\tstopped (not run)\t\t\r\nCharlie\tstopped (not run)\t\t\r\n",
     {"Bravo", "Charlie"}},
    {"GoneLinesRemovedTogether",
     Run::RemovingLines,
     {{"Acme", Then::Gone}, {"Bravo", Then::Gone, nullptr, false, RegistrySource::User}},
     {},
     "",
     "Acme\tremoved\t\t\r\nBravo\tremoved\t\t\r\n",
     {}},
    {"FailedBackupRemovesNothing",
     Run::RemovingLinesUnbackedUp,
     {{"Acme", Then::Gone}, {"Bravo", Then::Gone}},
     {},
     "",
     "Acme\tnot started: Cannot save a copy of the descriptor to ZOBL-removed.reg. Nothing was removed.\t\t\r\n"
     "Bravo\tstopped (not run)\t\t\r\n",
     {"Acme", "Bravo"}},
};

void PrintTo(const TidyCase& c, std::ostream* out) { *out << c.name; }

class FakeProcesses final : public ProcessWatcher {
 public:
  struct Process final : WatchedProcess {
    bool Ended() override { return ended; }
    std::optional<std::uint32_t> ExitCode() override { return exitCode; }
    bool ended = false;
    std::optional<std::uint32_t> exitCode;
  };
  std::unique_ptr<WatchedProcess> StartAsUser(const ProgramStart& start, std::uint32_t& failure) override {
    auto process = Start(start, failure);
    started.back() = "as user: " + started.back();
    return process;
  }
  std::unique_ptr<WatchedProcess> Start(const ProgramStart& start, std::uint32_t& failure) override {
    started.push_back(start.CommandLine());
    if (start.program.find("Charlie") != std::string::npos) {
      failure = 2;
      return nullptr;
    }
    auto process = std::make_unique<Process>();
    current = process.get();
    return process;
  }
  std::string FailureText(std::uint32_t failure) const override { return "error " + std::to_string(failure); }

  std::vector<std::string> started;
  Process* current = nullptr;
};

// The window's timer comes back to the queue while a folder is measured.
struct ReenteringPump final : MessagePump {
  bool Pump() override {
    if (queue != nullptr) runningWhenReentered.push_back(queue->Advance() && queue->Running());
    return true;
  }
  TidyQueue* queue = nullptr;
  std::vector<bool> runningWhenReentered;
};

class TidyQueueTest : public ::testing::TestWithParam<TidyCase> {};

TEST_P(TidyQueueTest, Runs) {
  const TidyCase& c = GetParam();
  FakeInventoryWorld world;
  InventoryHarness h(world, "");
  FakeDirectoryTree tree;
  FakeProcesses processes;
  ReenteringPump pump;
  TidyQueue queue(world.registry, world.files, tree, pump, processes, h.shell, h.backup);
  const bool removingLines = c.run == Run::RemovingLines || c.run == Run::RemovingLinesUnbackedUp;
  pump.queue = removingLines ? nullptr : &queue;
  queue.SetRegistryChanged([&] { h.Refresh(); });
  h.shell.elevated = c.run == Run::Elevated;
  tree.AddDirectory("C:\\Programs");
  world.SetVariable("ZoblPrograms", "C:\\Programs");
  for (const ProgramCase& p : c.programs) {
    const std::string folder = "C:\\Programs\\" + std::string(p.key);
    if (p.then != Then::Gone) h.AddProgram(p.key, "uninst.exe");
    tree.AddDirectory(folder);
    tree.AddFile(folder + "\\settings.ini", 3000);
    h.Add(p.key, p.key, (folder + "\\uninst.exe").c_str(), p.source);
    if (p.msi) world.SetValue(p.key, "WindowsInstaller", kDwordType, std::string("\1\0\0\0", 4), p.source);
    // A quiet command that names a variable is stored as an expandable text.
    if (p.quietValue != nullptr) {
      h.SetText(p.key, "QuietUninstallString", p.quietValue, p.source,
                p.quietValue[0] == '%' ? kExpandableTextType : kTextType);
    }
  }
  if (c.run == Run::RemovingLinesUnbackedUp) world.BlockBackupFile();
  h.Refresh();
  std::vector<TidyProgram> programs;
  for (const ProgramCase& p : c.programs) {
    const UninstallEntry& row = *h.Row(p.key, p.source);
    programs.push_back(TidyProgramOf(row, queue.QuietCommand(p.source, p.key)));
  }

  std::string progress;
  if (removingLines) {
    queue.RemoveLines(programs);
  } else {
    queue.Begin(programs, c.run == Run::Quietly);
    while (queue.Running()) {
      progress += queue.ProgressText() + "; ";
      const ProgramCase& p = c.programs[processes.started.size() - 1];
      ASSERT_TRUE(queue.Advance()) << "ended before its processes did";
      if (p.then != Then::KeepsDescriptor) world.DeleteDescriptor(p.key, p.source);
      if (p.then == Then::RemovesAll) world.files.Remove("C:\\Programs\\" + std::string(p.key));
      if (p.then == Then::ComesBack) h.Add(p.key, p.key, "x", p.source);
      processes.current->exitCode = p.then == Then::KeepsDescriptor ? 1 : 0;
      processes.current->ended = true;
      if (c.run == Run::StoppedDuringFirst) queue.Stop();
      queue.Advance();
    }
  }
  EXPECT_EQ(std::ranges::count(pump.runningWhenReentered, false), 0);
  EXPECT_EQ(processes.started, c.started);
  EXPECT_EQ(progress, c.progress);
  EXPECT_EQ(TidySummaryCopyText(queue.Results()), c.summary);
  std::vector<std::string> listed;
  for (std::size_t i = 0; i < h.list.Count(); ++i) listed.push_back(h.list.RowAt(i).keyName);
  EXPECT_EQ(listed, c.listedAfter) << "the list follows each step";
}

INSTANTIATE_TEST_SUITE_P(Table, TidyQueueTest, ::testing::ValuesIn(kCases), [](const auto& info) {
  return std::string(info.param.name);
});

}  // namespace
}  // namespace zobl::testing
