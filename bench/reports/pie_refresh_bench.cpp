// The pie's refresh over 1,000 and 10,000 measured programs, each in a directory of its
// own: the case where a walk of every group per row grows with the square of the rows.
// The grouping alone, through the directory index and as that walk, is the reference.
// bench/pie_refresh.sh prints how each grows.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "platform/portable_locale.h"
#include "reports/pie_data.h"
#include "reports/pie_groups.h"
#include "inventory/column_text.h"

namespace {

void Fill(zobl::InventoryList& list, std::size_t rows) {
  std::mt19937 random(42);
  for (std::size_t i = 0; i < rows; ++i) {
    const std::string n = std::to_string(i);
    std::string name = "Program " + std::to_string(random() % 100000) + " " + n;
    list.Add({.name = std::move(name), .keyName = "{key}", .size = zobl::SizeState::Measured,
              .sizeBytes = 1 + random() % (1ull << 32), .command = "uninst.exe",
              .directory = "C:\\Program Files\\Vendor" + n + "\\App" + n});
  }
}

// One group per row visited in creation order until the row finds its own.
std::size_t GroupByWalking(const zobl::InventoryList& list) {
  const auto above = [](const std::string& outer, const std::string& inner) {
    return !outer.empty() && inner.size() > outer.size() && inner.starts_with(outer) &&
           (outer.back() == '\\' || inner[outer.size()] == '\\');
  };
  std::vector<zobl::PieGroup> groups;
  for (std::size_t r = 0; r < list.Count(); ++r) {
    const zobl::UninstallEntry& row = list.RowAt(r);
    if (row.sizeBytes == 0) continue;
    const std::string& directory = *row.directory;
    const auto group = std::find_if(groups.begin(), groups.end(), [&](const zobl::PieGroup& g) {
      return directory == g.directory || above(directory, g.directory) || above(g.directory, directory);
    });
    if (group == groups.end()) {
      groups.push_back({*row.name, row.sizeBytes, directory});
    } else {
      group->label += "+" + *row.name;
    }
  }
  return groups.size();
}

void PieRefresh(benchmark::State& state) {
  const zobl::PortableLocale locale;
  zobl::InventoryList list(locale);
  Fill(list, static_cast<std::size_t>(state.range(0)));
  zobl::PieSeries series;
  for (auto _ : state) {
    zobl::RefreshPie(list, series);
    benchmark::DoNotOptimize(series.Count());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void IndexedGroups(benchmark::State& state) {
  const zobl::PortableLocale locale;
  zobl::InventoryList list(locale);
  Fill(list, static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(zobl::GroupByDirectory(list).size());
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void WalkingGroups(benchmark::State& state) {
  const zobl::PortableLocale locale;
  zobl::InventoryList list(locale);
  Fill(list, static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(GroupByWalking(list));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(PieRefresh)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(IndexedGroups)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(WalkingGroups)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
