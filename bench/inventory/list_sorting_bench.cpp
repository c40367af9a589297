// Sorting the inventory by a column, 1,000 and 10,000 rows, with the portable text
// comparison; the bare sort of the same texts alone is the reference. Each reports the
// text comparisons it made per iteration, which grow as the algorithm does whatever the
// machine's caches do to the times (bench/growth.sh).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "inventory/inventory_list.h"
#include "ui/list_sorting.h"
#include "platform/portable_locale.h"

namespace {

// The portable comparison, counted.
class CountingLocale final : public zobl::Locale {
 public:
  [[nodiscard]] int CompareText(const char* first, const char* second) const override {
    ++comparisons;
    return locale_.CompareText(first, second);
  }
  // Not counted: a name weighed once for the Name order is compared as bytes thereafter.
  [[nodiscard]] std::string SortKey(std::string_view text) const override { return locale_.SortKey(text); }
  [[nodiscard]] std::optional<std::string> FormatUtcDate(std::uint64_t fileTime, const char* picture) const override {
    return locale_.FormatUtcDate(fileTime, picture);
  }

  mutable std::uint64_t comparisons = 0;

 protected:
  [[nodiscard]] std::string LocaleUpperCase(std::string_view text) const override { return locale_.UpperCase(text); }

 private:
  zobl::PortableLocale locale_;
};

void ReportComparisons(benchmark::State& state, std::uint64_t comparisons) {
  state.counters["comparisons"] =
      benchmark::Counter(static_cast<double>(comparisons), benchmark::Counter::kAvgIterations);
}

void Fill(zobl::InventoryList& list, std::size_t rows) {
  std::mt19937 random(42);
  const auto text = [&](std::size_t length) {
    std::string out;
    for (std::size_t i = 0; i < length; ++i) out += "abcdefghijklmnopqrstuvwxyzABCDEFGHIJ 0123456789"[random() % 47];
    return out;
  };
  for (std::size_t i = 0; i < rows; ++i) {
    zobl::UninstallEntry row;
    row.name = text(12 + random() % 20);
    row.keyName = "{" + text(36) + "}";
    char date[16];
    const auto pick = [&](unsigned n) { return static_cast<unsigned>(random() % n); };
    std::snprintf(date, sizeof date, "%04u.%02u.%02u", 1995 + pick(30), 1 + pick(12), 1 + pick(28));
    if (random() % 4 != 0) row.installDate = date;
    row.command = "C:\\Program Files\\" + text(10) + "\\uninst.exe";
    row.directory = "C:\\Program Files\\" + text(10);
    row.sizeBytes = random() % 3 == 0 ? 0 : random() * 4096ull;
    list.Add(std::move(row));
  }
}

// One sort by `column` per iteration, from the order another column left.
void SortByColumn(benchmark::State& state, int column) {
  const CountingLocale locale;
  zobl::InventoryList list(locale);
  Fill(list, static_cast<std::size_t>(state.range(0)));
  zobl::ListSorting sorting(list, locale);
  const int scramble = column == zobl::kKeyNameColumn ? zobl::kNameColumn : zobl::kKeyNameColumn;
  std::uint64_t comparisons = 0;
  for (auto _ : state) {
    state.PauseTiming();
    sorting.SortByColumnClicked(scramble);
    const std::uint64_t before = locale.comparisons;
    state.ResumeTiming();
    sorting.SortByColumnClicked(column);
    comparisons += locale.comparisons - before;
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  ReportComparisons(state, comparisons);
}

// The reference: the Name texts alone, sorted with the same comparison.
void BareTextSort(benchmark::State& state) {
  const CountingLocale locale;
  zobl::InventoryList list(locale);
  Fill(list, static_cast<std::size_t>(state.range(0)));
  std::vector<const char*> names;
  for (std::size_t i = 0; i < list.Count(); ++i) names.push_back(list.RowAt(i).name->c_str());
  const std::uint64_t naming = locale.comparisons;
  std::mt19937 random(1);
  for (auto _ : state) {
    state.PauseTiming();
    std::shuffle(names.begin(), names.end(), random);
    state.ResumeTiming();
    std::stable_sort(names.begin(), names.end(),
                     [&](const char* a, const char* b) { return locale.CompareText(a, b) < 0; });
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  ReportComparisons(state, locale.comparisons - naming);
}

// A first refresh names every row once; each naming keeps the list in Name order, by the
// name's sort key (so no text comparison is counted).
void NameRowsOneByOne(benchmark::State& state) {
  const CountingLocale locale;
  for (auto _ : state) {
    zobl::InventoryList list(locale);
    Fill(list, static_cast<std::size_t>(state.range(0)));
    benchmark::DoNotOptimize(list.Count());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  ReportComparisons(state, locale.comparisons);
}

BENCHMARK(BareTextSort)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(SortByColumn, Name, zobl::kNameColumn)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(SortByColumn, KeyName, zobl::kKeyNameColumn)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(SortByColumn, Date, zobl::kInstallDateColumn)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(SortByColumn, Size, zobl::kSizeColumn)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(NameRowsOneByOne)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
