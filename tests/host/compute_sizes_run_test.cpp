#include "diskusage/compute_sizes_run.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "fake_directory_tree.h"
#include "ui/run_presenter.h"
#include "platform/portable_locale.h"

namespace zobl::testing {
namespace {

constexpr char kMissing[] = "[MISSING OR SYSTEM DIRECTORY ?]";

// Runs the test's action before every entry the scan looks at; reports the window
// closing once the action says so.
class ScriptedPump final : public MessagePump {
 public:
  bool Pump() override { return !onPump || onPump(); }
  std::function<bool()> onPump;
};

// Readings taken in turn; the last one repeats.
class ScriptedTicks final : public TickSource {
 public:
  std::uint32_t Milliseconds() override { return readings.at(std::min(next++, readings.size() - 1)); }
  std::vector<std::uint32_t> readings{0};
  std::size_t next = 0;
};

// Records what the window would show of the run; the Pie tab's activity after row i can be
// scripted.
class RecordingView final : public RunDisplay {
 public:
  void BeginProgress(std::size_t rows) override { events.push_back("begin " + std::to_string(rows)); }
  void StepProgress() override { ++steps; }
  void EndProgress() override { events.push_back("end"); }
  void ShowPieTab() override {
    if (!pieActive) events.push_back("shown");
    pieActive = true;
  }
  bool PieTabShown() const override {
    return steps < pieActiveAfterRow.size() ? pieActiveAfterRow[steps] : pieActive;
  }
  void RefreshPie() override {
    events.push_back("pie after " + std::to_string(steps));
    if (refreshFails) throw std::runtime_error("no pie");
  }

  std::vector<std::string> events;
  std::vector<bool> pieActiveAfterRow;
  bool pieActive = false;
  bool refreshFails = false;
  std::size_t steps = 0;
};

class ComputeSizesRunTest : public ::testing::Test {
 protected:
  // A row named `name` whose supposed directory `directory` holds one file of `bytes`.
  RowId AddRow(const std::string& name, const std::string& directory, std::uint64_t bytes = 0) {
    UninstallEntry row{.name = name, .keyName = name + "Key", .command = "C:\\x\\un.exe"};
    if (directory != kMissing) row.directory = directory;
    const RowId id = list_.Add(std::move(row));
    if (directory != kMissing && made_.insert(directory).second) {
      tree_.AddDirectory(directory);
      tree_.AddFile(directory + "\\f", bytes);
    }
    return id;
  }
  const UninstallEntry& Row(RowId id) const { return *list_.Find(id); }

  PortableLocale locale_;
  InventoryList list_{locale_};
  FakeDirectoryTree tree_;
  std::set<std::string> made_;
  ScriptedPump pump_;
  ScriptedTicks ticks_;
  RecordingView view_;
  RunPresenter presenter_{view_, ticks_};
  ComputeSizesRun run_{list_, tree_, pump_};
};

TEST_F(ComputeSizesRunTest, EmptyListShowsThePieRebuildsItOnceMoreAndEnds) {
  run_.ComputeFileSizes(presenter_);
  EXPECT_EQ(view_.events, (std::vector<std::string>{"begin 0", "shown", "pie after 0", "end"}));
  EXPECT_FALSE(run_.Running());
}

TEST_F(ComputeSizesRunTest, WritesSizeTextAndFullByteCountOrUnknown) {
  const RowId small = AddRow("Small", "C:\\Small", 100);
  const RowId big = AddRow("Big", "C:\\Big", 5ull << 30);
  const RowId mid = AddRow("Mid", "C:\\Mid", 2ull << 30);
  const RowId gone = AddRow("Gone", kMissing);
  list_.SetSizeBytes(gone, 7);
  run_.ComputeFileSizes(presenter_);

  for (const RowId measured : {small, big, mid}) EXPECT_EQ(Row(measured).size, SizeState::Measured);
  EXPECT_EQ(Row(small).sizeBytes, 100u);
  EXPECT_EQ(Row(big).sizeBytes, 5368709120u);
  EXPECT_EQ(Row(mid).sizeBytes, 2147483648u);
  EXPECT_EQ(Row(gone).size, SizeState::Unknown);
  EXPECT_EQ(Row(gone).sizeBytes, 7u);  // left as it was
  EXPECT_EQ(view_.events.front(), "begin 4");
  EXPECT_EQ(view_.steps, 4u);
  EXPECT_EQ(view_.events.back(), "end");
}

TEST_F(ComputeSizesRunTest, VisitsRowsInDisplayOrderAndASecondRunOverwrites) {
  AddRow("Bravo", "C:\\B", 2000);
  AddRow("Alpha", "C:\\A", 1000);
  run_.ComputeFileSizes(presenter_);
  EXPECT_EQ(tree_.Calls(),
            (std::vector<std::string>{"list C:\\A\\*.*", "open C:\\A\\f", "list C:\\B\\*.*", "open C:\\B\\f"}));
  tree_.AddFile("C:\\A\\g", 1048576);
  run_.ComputeFileSizes(presenter_);
  EXPECT_EQ(list_.RowAt(0).size, SizeState::Measured);
  EXPECT_EQ(list_.RowAt(0).sizeBytes, 1049576u);
}

// Which rows are followed by a pie rebuild, from the tick readings (the first is the
// start's) and whether the Pie tab is showing after each row.
TEST_F(ComputeSizesRunTest, RebuildsThePieAfterTheFirstRowSlowRowsAndAtTheEnd) {
  struct Case {
    const char* title;
    std::vector<std::uint32_t> readings;
    std::vector<bool> pieActiveAfterRow;  // then as after the last
    std::vector<std::string> rebuilds;
  };
  const Case cases[] = {
      {"quick rows", {0, 5, 10, 15, 20}, {}, {"pie after 0", "pie after 4"}},
      {"slow rows alone", {0, 5, 1006, 1500, 2501}, {}, {"pie after 0", "pie after 1", "pie after 3", "pie after 4"}},
      {"exactly a second is not more", {0, 5, 1005, 2005, 2010}, {}, {"pie after 0", "pie after 4"}},
      {"across the counter's wrap",
       {0xFFFFFFF0u, 0xFFFFFFF8u, 0x10u, 0x500u, 0x510u},
       {},
       {"pie after 0", "pie after 2", "pie after 4"}},
      // Away from the Pie tab nothing is read; back, time counts from the last check.
      {"another tab meanwhile",
       {0, 5, 1500, 1600},
       {true, false, false, true, true},
       {"pie after 0", "pie after 3", "pie after 4"}},
      {"another tab at the end", {0, 5}, {true, true, true, true, false}, {"pie after 0"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    view_ = RecordingView{};
    view_.pieActiveAfterRow = c.pieActiveAfterRow;
    ticks_.readings = c.readings;
    ticks_.next = 0;
    for (int i = static_cast<int>(list_.Count()); i < 4; ++i) AddRow("Row" + std::to_string(i), kMissing);
    run_.ComputeFileSizes(presenter_);
    std::vector<std::string> rebuilds;
    for (const std::string& event : view_.events) {
      if (event.rfind("pie after", 0) == 0) rebuilds.push_back(event);
    }
    EXPECT_EQ(rebuilds, c.rebuilds);
  }
}

// The scan pumps messages: other handlers change the list under the run. Every result
// must land on the row that was measured, and no index may run past the end.
TEST_F(ComputeSizesRunTest, ResultsFollowTheMeasuredRowWhateverHappensMeanwhile) {
  struct Case {
    const char* title;
    std::function<void(InventoryList&)> change;  // made during the second row's scan
  };
  const Case cases[] = {
      {"the measured row deleted", [](InventoryList& list) { list.DeleteAt(1); }},
      {"every row deleted",
       [](InventoryList& list) {
         while (list.Count() > 0) list.DeleteAt(0);
       }},
      {"a row added before it", [](InventoryList& list) { list.Add({.name = "Aardvark"}); }},
      {"the list re-sorted",
       [](InventoryList& list) {
         list.Sort([](const UninstallEntry& a, const UninstallEntry& b) { return b.name->compare(*a.name); });
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    while (list_.Count() > 0) list_.DeleteAt(0);
    for (int i = 0; i < 4; ++i) AddRow("Row" + std::to_string(i), "C:\\D" + std::to_string(i), 1000u * (i + 1));
    int pumps = 0;
    pump_.onPump = [&] {
      if (++pumps == 4) c.change(list_);  // the second directory's first entry
      return true;
    };
    run_.ComputeFileSizes(presenter_);
    // Every row still listed is measured, passed over by the walk or not, each with its own size.
    for (std::size_t i = 0; i < list_.Count(); ++i) {
      const UninstallEntry& row = list_.RowAt(i);
      EXPECT_NE(row.size, SizeState::NotYetComputed) << *row.name;
      if (row.size == SizeState::Unknown) continue;  // no directory
      EXPECT_EQ(row.directory, "C:\\D" + std::to_string(row.sizeBytes / 1000 - 1)) << *row.name;
    }
    EXPECT_EQ(view_.events.back(), "end");
  }
}

// At the second directory's first entry: the window closes (the run stops at once and
// touches neither list nor view), or the user presses Escape (the scan stops there, the
// second row keeps the text it had, the third is not begun, and the run ends as after its
// last row).
TEST_F(ComputeSizesRunTest, ClosingOrEscapeDuringTheSecondDirectoryEndsTheRun) {
  const struct {
    const char* what;
    bool closing;
    std::optional<std::uint64_t> earlier;  // the second row's size from a run before
    SizeState secondSize;
    std::uint64_t secondBytes;
    std::vector<std::string> events;
  } cases[] = {
      {"closing", true, std::nullopt, SizeState::NotYetComputed, 0, {"begin 3", "shown", "pie after 0"}},
      {"Escape", false, std::nullopt, SizeState::NotYetComputed, 0,
       {"begin 3", "shown", "pie after 0", "pie after 1", "end"}},
      {"Escape over an earlier size", false, 1048576, SizeState::Measured, 1048576,
       {"begin 3", "shown", "pie after 0", "pie after 1", "end"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    while (list_.Count() > 0) list_.DeleteAt(0);
    view_ = RecordingView{};
    const RowId first = AddRow("A", "C:\\A", 10);
    const RowId second = AddRow("B", "C:\\B", 20);
    const RowId third = AddRow("C", "C:\\C", 30);
    if (c.earlier) list_.SetMeasuredSize(second, *c.earlier);
    int pumps = 0;
    pump_.onPump = [&] {
      if (++pumps != 4) return true;
      if (!c.closing) run_.Stop();
      return !c.closing;
    };
    run_.ComputeFileSizes(presenter_);
    EXPECT_EQ(Row(first).sizeBytes, 10u);
    EXPECT_EQ(Row(second).size, c.secondSize);
    EXPECT_EQ(Row(second).sizeBytes, c.secondBytes);
    EXPECT_EQ(Row(third).size, SizeState::NotYetComputed);
    EXPECT_EQ(Row(third).sizeBytes, 0u);
    EXPECT_EQ(view_.events, c.events);
    EXPECT_EQ(view_.steps, 1u);
    EXPECT_EQ(pumps, 4);  // not one entry more
    EXPECT_FALSE(run_.Running());
  }
}

TEST_F(ComputeSizesRunTest, AClickDuringARunIsIgnoredAndAFailureStillBringsTheButtonBack) {
  AddRow("A", "C:\\A", 10);
  pump_.onPump = [&] {
    run_.ComputeFileSizes(presenter_);
    return true;
  };
  view_.refreshFails = true;
  EXPECT_THROW(run_.ComputeFileSizes(presenter_), std::runtime_error);
  EXPECT_EQ(view_.events, (std::vector<std::string>{"begin 1", "shown", "pie after 0", "end"}));
  EXPECT_FALSE(run_.Running());
}

}  // namespace
}  // namespace zobl::testing
