#!/usr/bin/env bash
# Builds the 64-bit Windows tree and times the window's start-up to a filled list with
# 1,000 descriptors against none, and against none plus the bare Win32 calls of its first
# refresh, in one run, with the descriptors' program directories in two shapes (a tenth
# of them there; every one there, side by side under one parent); pinned to one core with
# its wineserver, in a Wine prefix of its own on a screen of its own.
#   bench/startup.sh [BUILD_DIR]      (default: build/win64; ZOBL_BENCH_CPU=0)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(realpath -m "${1:-$root/build/win64}")
cpu=${ZOBL_BENCH_CPU:-0}

. "$root/bench/window-bench.sh"
window_bench_build zobl zobl_startup_bench zobl_process_startup_bench

window_bench_start "$build/bench-wineprefix" "$cpu"
cp "$root/assets/MARLO192.FON" .  # as its user starts it: the background picture on
taskset -c "$cpu" wine "$build/bench/zobl_process_startup_bench.exe" "Z:${build//\//\\}\\src\\app\\zobl.exe" </dev/null
echo
taskset -c "$cpu" wine "$build/bench/zobl_startup_bench.exe" </dev/null
