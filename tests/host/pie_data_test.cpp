#include "reports/pie_data.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "platform/portable_locale.h"
#include "reports/pie_groups.h"
#include "inventory/column_text.h"

namespace zobl::testing {
namespace {

struct Row {
  std::string name;
  std::string directory;
  std::uint64_t bytes;
};

struct Shown {
  std::string label;
  double value;
  friend bool operator==(const Shown&, const Shown&) = default;
};
void PrintTo(const Shown& shown, std::ostream* out) { *out << '"' << shown.label << "\" " << shown.value; }

// The rows in the order given, whatever their names.
void Fill(InventoryList& list, const std::vector<Row>& rows) {
  for (const Row& row : rows) {
    list.Add({.name = row.name, .keyName = "Key", .sizeBytes = row.bytes, .command = "un.exe", .directory = row.directory});
  }
  list.Sort([](const UninstallEntry& a, const UninstallEntry& b) { return (a.id > b.id) - (a.id < b.id); });
}

std::vector<Shown> Pie(const std::vector<Row>& rows, PieSeries* into = nullptr) {
  PieSeries own;
  PieSeries& series = into != nullptr ? *into : own;
  const PortableLocale locale;
  InventoryList list(locale);
  Fill(list, rows);
  RefreshPie(list, series);
  std::vector<Shown> shown;
  for (const PieSlice& slice : series.Slices()) shown.push_back({slice.label, slice.value});
  return shown;
}

// A program of each size, each in a directory of its own.
std::vector<Row> Programs(const std::vector<std::uint64_t>& sizes) {
  std::vector<Row> rows;
  for (const std::uint64_t bytes : sizes) rows.push_back({"P", "C:\\P" + std::to_string(rows.size()), bytes});
  return rows;
}

TEST(PieDataTest, GroupsMeasuredRowsByDirectory) {
  const std::string shared = "C:\\Apps\\Shared";
  const struct {
    const char* what;
    std::vector<Row> rows;
    std::vector<Shown> slices;
  } cases[] = {
      {"same directory", {{"Alpha", shared, 2048}, {"Beta", shared, 4096}}, {{"Alpha+Beta", 2}}},
      {"long name cut",
       {{"Alpha", shared, 2048}, {"Beta", shared, 4096}, {"Gamma Delta Epsilon Zeta", shared, 8192}},
       {{"Alpha+Beta+Gamma Delta Epsilon..", 2}}},
      {"row above takes over",
       {{"Tool", "C:\\Suite\\Tool", 1024}, {"Suite", "C:\\Suite", 10240}},
       {{"Suite+Tool", 10}}},
      {"row inside joins",
       {{"Suite", "C:\\Suite", 10240}, {"Plugin", "C:\\Suite\\Plugin", 2048}},
       {{"Suite+Plugin", 10}}},
      {"drive root", {{"Apps", "C:\\Apps", 1024}, {"Drive", "C:\\", 5120}}, {{"Drive+Apps", 5}}},
      {"name boundary",
       {{"Foo", "C:\\Program Files\\Foo", 1024}, {"Foo Bar", "C:\\Program Files\\Foo Bar", 3072}},
       {{"Foo", 1}, {"Foo Bar", 3}}},
      {"case counts", {{"Lower", "C:\\apps", 1024}, {"Upper", "C:\\Apps\\Tool", 2048}}, {{"Lower", 1}, {"Upper", 2}}},
      // A row holding several groups takes all of them: no byte in two slices.
      {"a row holding two groups",
       {{"A", "C:\\X\\A", 1024}, {"B", "C:\\X\\B", 2048}, {"X", "C:\\X", 4096}},
       {{"X+A+B", 4}}},
      {"three groups, labels in the order they started",
       {{"C", "C:\\X\\C", 1024}, {"A", "C:\\X\\A", 1024}, {"Y", "C:\\Y", 1024}, {"B", "C:\\X\\B\\Deep", 2048},
        {"X", "C:\\X", 8192}},
       {{"Y", 1}, {"X+C+A+B", 8}}},
      {"unmeasured absent",
       {{"Ghost", "C:\\Real", 0}, {"Real", "C:\\Real", 1024}, {"Lost", "C:\\Lost", 0}},
       {{"Real", 1}}},
      {"ascending", {{"Big", "C:\\Big", 8192}, {"Small", "C:\\Small", 1024}}, {{"Small", 1}, {"Big", 8}}},
      {"5 GiB", {{"Huge", "D:\\Huge", 5368709120}}, {{"Huge", 5242880}}},
      // Two bytes a letter: a cut name keeps whole letters; containment is by whole names.
      {"Cyrillic names",
       {{"Программы", "C:\\Программы", 4096}, {"Кило", "C:\\Программы\\Кило", 1024},
        {"Кило Про", "C:\\Кило Про", 2048}, {"Кило-Про длинный", "C:\\Программы", 1024}},
       {{"Кило Про", 2}, {"Программы+Кило+Кило-Про д..", 4}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Pie(c.rows), c.slices);
  }
}

TEST(PieDataTest, LumpsAllButTheFifteenLargest) {
  const struct {
    const char* what;
    std::vector<std::uint64_t> smallest;  // before 15 of 10 to 24 Kb
    double lump;                          // 0: no lump slice
    std::size_t lumpAt;
  } cases[] = {
      {"fifteen kept", {}, 0, 0},
      {"lump placed by size", {3072, 4096, 5120}, 12, 3},
      {"fractions dropped", {1536, 1536}, 2, 0},
      {"under 1 Kb", {1023}, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<std::uint64_t> sizes = c.smallest;
    for (std::uint64_t kb = 10; kb <= 24; ++kb) sizes.push_back(kb * 1024);
    const std::vector<Shown> slices = Pie(Programs(sizes));
    ASSERT_EQ(slices.size(), c.lump > 0 ? 16u : 15u);
    if (c.lump > 0) {
      EXPECT_EQ(slices[c.lumpAt], (Shown{"All other programs", c.lump}));
    } else {
      EXPECT_EQ(slices[0], (Shown{"P", 10}));
    }
  }
}

TEST(PieDataTest, ColoursEachSliceByTheMiddleOfItsArc) {
  const struct {
    std::vector<std::uint64_t> bytes;
    std::vector<Rgb> colours;
  } cases[] = {
      {{1024}, {{0, 255, 255}}},
      {{1024, 1024}, {{128, 0, 255}, {127, 255, 0}}},
      {{1024, 1024, 2048}, {{255, 0, 191}, {0, 63, 255}, {127, 255, 0}}},
  };
  for (const auto& c : cases) {
    PieSeries series;
    Pie(Programs(c.bytes), &series);
    std::vector<Rgb> colours;
    for (const PieSlice& slice : series.Slices()) colours.push_back(slice.colour);
    EXPECT_EQ(colours, c.colours) << c.bytes.size() << " slices";
  }
}

TEST(PieDataTest, HueColourTakesPositionsOutsideAsTheNearestEnd) {
  const struct {
    double position;
    Rgb colour;
  } cases[] = {
      {0, {255, 0, 0}},     {0.5, {255, 0, 127}},
      {2, {0, 0, 255}},     {3, {0, 255, 255}},
      {5.5, {255, 128, 0}}, {5.999, {255, 1, 0}},
      {6, {255, 0, 0}},     {1e9, {255, 0, 0}},
      {-1, {255, 0, 0}},    {std::numeric_limits<double>::quiet_NaN(), {255, 0, 0}},
  };
  for (const auto& c : cases) EXPECT_EQ(PieHueColour(c.position), c.colour) << c.position;
}

TEST(PieDataTest, RefreshReplacesTheSlicesAndRepaintsOnce) {
  for (const std::uint64_t bytes : {0ull, 2048ull}) {
    PieSeries series;
    series.Add(7, "stale", {});
    int repaints = 0;
    series.SetRepaint([&repaints] { ++repaints; });
    const std::vector<Shown> slices = Pie({{"Tool", "C:\\Tool", bytes}}, &series);
    EXPECT_EQ(slices, (bytes == 0 ? std::vector<Shown>{} : std::vector<Shown>{{"Tool", 2}}));
    EXPECT_EQ(repaints, 1);
  }
}

// The grouping as a walk of every group, which the directory index must match.
std::vector<PieGroup> GroupByWalking(const InventoryList& list) {
  const auto above = [](const std::string& outer, const std::string& inner) {
    return !outer.empty() && inner != outer && inner.starts_with(outer.back() == '\\' ? outer : outer + '\\');
  };
  std::vector<PieGroup> groups;
  for (std::size_t r = 0; r < list.Count(); ++r) {
    const UninstallEntry& row = list.RowAt(r);
    if (row.sizeBytes == 0) continue;
    const std::string& directory = ColumnText(row, kSupposedDirectoryColumn);
    const std::string& name = *row.name;
    const auto group = std::find_if(groups.begin(), groups.end(), [&](const PieGroup& g) {
      return directory == g.directory || above(directory, g.directory) || above(g.directory, directory);
    });
    if (group == groups.end()) {
      groups.push_back({name, row.sizeBytes, directory});
    } else if (directory == group->directory) {
      const std::string piece = "+" + name;
      group->label += piece.size() > 20 ? piece.substr(0, 20) + ".." : piece;
    } else if (above(directory, group->directory)) {
      std::string label = name;
      for (auto inside = group; inside != groups.end();) {
        if (!above(directory, inside->directory)) {
          ++inside;
          continue;
        }
        label += "+" + inside->label;
        inside = inside == group ? inside + 1 : groups.erase(inside);
      }
      *group = {label, row.sizeBytes, directory};
    } else {
      group->label += "+" + name;
    }
  }
  return groups;
}

TEST(PieDataTest, DirectoryIndexGroupsAsAWalkOfEveryGroupWould) {
  const char* const directories[] = {"",         "\\",          "\\a",    "C:\\",  "C:\\a",     "C:\\a\\",
                                     "C:\\a\\b", "C:\\a\\b\\c", "C:\\ab", "C:\\A", "C:\\ab\\c", "D:\\a"};
  const char* const names[] = {"n", "Some Rather Long Program Name", "m"};
  std::mt19937 random(7);
  for (int trial = 0; trial < 3000; ++trial) {
    std::vector<Row> rows(1 + random() % 12);
    for (Row& row : rows) row = {names[random() % 3], directories[random() % 12], random() % 4};
    const PortableLocale locale;
    InventoryList list(locale);
    Fill(list, rows);
    ASSERT_EQ(GroupByDirectory(list), GroupByWalking(list)) << "trial " << trial;
  }
}

}  // namespace
}  // namespace zobl::testing
