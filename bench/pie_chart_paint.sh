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

cmake --preset win64 -B "$build" >/dev/null
cmake --build "$build" -j2 --target zobl_pie_chart_paint_bench >/dev/null
exe=$build/bench/zobl_pie_chart_paint_bench.exe

for display in $(seq 140 180); do
  [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ] || break
done
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=:$display

prefix=$build/chart-paint-wineprefix
"$root/cmake/wine-prefix.sh" ensure "$prefix"
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="winedbg.exe=d;mscoree,mshtml="
"$root/cmake/wine-prefix.sh" pin "$prefix" "$cpu"
work=$(mktemp -d)
trap 'rm -rf "$work"; wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true' EXIT

cd "$work"  # a working directory without settings, with the About text
cp "$root/assets/readme.txt" .
echo "$rounds rounds on CPU $cpu"
taskset -c "$cpu" wine "$exe" --rounds "$rounds" </dev/null | tr -d '\r'
