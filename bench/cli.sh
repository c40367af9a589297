#!/usr/bin/env bash
# Builds the 64-bit Windows tree and times `zobl-cli.exe /list /json` as a whole process
# with 1,000 descriptors in two shapes (each program's directory there, side by side
# under one parent; the start-up benchmark's, where nine in ten have gone) against the
# empty run plus the bare Win32 calls of its pass, in one run. The programs and their
# wineserver run pinned to one core, in a Wine prefix of their own.
#   bench/cli.sh [BUILD_DIR]      (default: build/win64; ZOBL_BENCH_CPU=0)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(realpath -m "${1:-$root/build/win64}")
cpu=${ZOBL_BENCH_CPU:-0}

. "$root/bench/window-bench.sh"
window_bench_build zobl_cli zobl_cli_bench
# The documents are written in the benchmark's working directory.
wine_bench_start "$build/bench-wineprefix" "$cpu"
taskset -c "$cpu" wine "$build/bench/zobl_cli_bench.exe" "$(windows_path "$build/src/app/zobl-cli.exe")" </dev/null
