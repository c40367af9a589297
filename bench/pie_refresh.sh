#!/usr/bin/env bash
# Times the pie's refresh on the host with 1,000 and 10,000 programs in directories of
# their own, against a walk of every group per row, and prints how each grows.
#   bench/pie_refresh.sh [BUILD_DIR]      (default: build/host; ZOBL_BENCH_CPU=0)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(realpath -m "${1:-$root/build/host}")
cpu=${ZOBL_BENCH_CPU:-0}

cmake --preset host -B "$build" >/dev/null
cmake --build "$build" -j2 --target zobl_pie_refresh_bench >/dev/null

work=$(mktemp -d)
. "$root/cmake/at-exit.sh"
at_exit rm -rf "$work"
taskset -c "$cpu" "$build/bench/zobl_pie_refresh_bench" --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true --benchmark_out="$work/out.csv" --benchmark_out_format=csv
awk -F, '$1 ~ /_median"$/ { gsub(/"/, "", $1); sub(/_median$/, "", $1); split($1, part, "/"); t[part[1], part[2]] = $4 }
  END {
    printf "PieRefresh 10k / 1k:    %5.1f   (goal: at most 20)\n", t["PieRefresh", 10000] / t["PieRefresh", 1000]
    printf "IndexedGroups 10k / 1k: %5.1f\n", t["IndexedGroups", 10000] / t["IndexedGroups", 1000]
    printf "WalkingGroups 10k / 1k: %5.1f\n", t["WalkingGroups", 10000] / t["WalkingGroups", 1000] }' "$work/out.csv"
