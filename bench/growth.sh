#!/usr/bin/env bash
# How the list's work grows from 1,000 to 10,000 rows: sorting by each kind of column and
# naming rows one by one (the host's Google Benchmarks, portable text comparison), the
# pie's refresh (host), and the inventory refresh under Wine against the real registry
# (a first refresh, every row new, and a refresh that finds nothing changed). For each,
# the time at 10k over the time at 1k, beside what linear growth (10) and n log n growth
# (10 x log 10,000 / log 1,000 = 13.3) would give. Everything runs pinned to one core; the
# refresh in a Wine prefix of its own.
#   bench/growth.sh [HOST_BUILD_DIR [WIN64_BUILD_DIR]]   (default: build/host, build/win64;
#                                                        ZOBL_BENCH_CPU=0)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
host=$(realpath -m "${1:-$root/build/host}")
win64=$(realpath -m "${2:-$root/build/win64}")
cpu=${ZOBL_BENCH_CPU:-0}

cmake --preset host -B "$host" >/dev/null
cmake --build "$host" -j2 --target zobl_list_sorting_bench zobl_pie_refresh_bench >/dev/null
cmake --preset win64 -B "$win64" >/dev/null
cmake --build "$win64" -j2 --target zobl_inventory_refresh_bench >/dev/null

. "$root/cmake/wine-env.sh"
. "$root/cmake/at-exit.sh"
work=$(mktemp -d)
at_exit rm -rf "$work"

# Medians of five repetitions, as "name size microseconds comparisons" lines (the last
# where the benchmark counts the text comparisons it makes).
for bench in zobl_list_sorting_bench zobl_pie_refresh_bench; do
  taskset -c "$cpu" "$host/bench/$bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_out="$work/$bench.csv" --benchmark_out_format=csv >/dev/null 2>&1
  awk -F, '/^name,/ { for (i = 1; i <= NF; i++) { h = $i; gsub(/"/, "", h); column[h] = i }; next }
    $1 ~ /_median"$/ { gsub(/"/, "", $1); sub(/_median$/, "", $1); n = split($1, piece, "/")
      scale = $5 == "ms" ? 1000 : $5 == "ns" ? 0.001 : 1
      print piece[1] (n > 2 ? "/" piece[2] : ""), piece[n], $4 * scale, ("comparisons" in column) ? $column["comparisons"] : "" }' \
    "$work/$bench.csv"
done >"$work/host"

prefix=$win64/bench-wineprefix
"$root/cmake/wine-prefix.sh" ensure "$prefix"
wine_env "$prefix"
"$root/cmake/wine-prefix.sh" pin "$prefix" "$cpu"
at_exit "$root/cmake/wine-prefix.sh" stop "$WINEPREFIX"
refresh() {
  taskset -c "$cpu" wine "$win64/bench/zobl_inventory_refresh_bench.exe" --descriptors "$1" --rounds "$2" </dev/null |
    tr -d '\r' | awk -v n="$1" '
      /refresh, nothing changed/ { print "InventoryRefresh/nothing_changed", n, $4 * 1000; print "BareRegistryCalls/nothing_changed", n, $9 * 1000 }
      /first refresh, all new/   { print "InventoryRefresh/first", n, $5 * 1000; print "BareRegistryCalls/first", n, $10 * 1000 }'
}
{ refresh 1000 9; refresh 10000 5; } >"$work/wine"

echo "10k / 1k ratios (linear: 10, n log n: 13.3); medians; host times are CPU times, Wine's"
echo "the refresh's wall-clock time against the real registry, all in microseconds:"
printf '%-34s %11s %11s %7s  %-17s %s\n' "" "1k" "10k" "10k/1k" "grows" "comparisons 10k/1k"
awk '{ t[$1, $2] = $3; c[$1, $2] = $4; if (!($1 in seen)) { seen[$1] = 1; order[++n] = $1 } }
  function kind(r) { return r <= 11.6 ? "linear" : r <= 16 ? "n log n" : "more than n log n" }
  END {
    for (i = 1; i <= n; i++) {
      name = order[i]; a = t[name, 1000]; b = t[name, 10000]
      if (a == "" || b == "") continue
      compared = c[name, 1000] > 0 ? sprintf("%.1f  %s", c[name, 10000] / c[name, 1000], kind(c[name, 10000] / c[name, 1000])) : ""
      printf "%-34s %11.1f %11.1f %7.1f  %-17s %s\n", name, a, b, b / a, kind(b / a), compared
    } }' "$work/host" "$work/wine"
echo "(\"grows\" calls up to 11.6 linear and up to 16 n log n. BareTextSort, a plain stable_sort of"
echo " the names, shows what the host's caches add to n log n at 10k rows. Goal: PieRefresh at most 20.)"
