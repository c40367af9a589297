#!/usr/bin/env bash
# Times one paint of the pie chart against one repaint of the list of 1,000 rows over
# the same area, interleaved in one run, pinned to one core with its wineserver, in a
# Wine prefix of its own on a screen of its own.
#   bench/pie_chart_paint.sh [BUILD_DIR]   (default: build/win64; ZOBL_BENCH_CPU=0,
#                                           ZOBL_BENCH_ROUNDS=5)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(realpath -m "${1:-$root/build/win64}")
cpu=${ZOBL_BENCH_CPU:-0}
rounds=${ZOBL_BENCH_ROUNDS:-5}

. "$root/bench/window-bench.sh"
window_bench_build zobl_pie_chart_paint_bench
exe=$build/bench/zobl_pie_chart_paint_bench.exe

window_bench_start "$build/chart-paint-wineprefix" "$cpu"
echo "$rounds rounds on CPU $cpu"
taskset -c "$cpu" wine "$exe" --rounds "$rounds" </dev/null | tr -d '\r'
