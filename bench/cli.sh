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

cmake --preset win64 -B "$build" >/dev/null
cmake --build "$build" -j2 --target zobl_cli zobl_cli_bench >/dev/null

prefix=$build/bench-wineprefix
"$root/cmake/wine-prefix.sh" ensure "$prefix"
. "$root/cmake/wine-env.sh"
. "$root/cmake/at-exit.sh"
wine_env "$prefix"
"$root/cmake/wine-prefix.sh" pin "$prefix" "$cpu"
at_exit "$root/cmake/wine-prefix.sh" stop "$WINEPREFIX"
# The documents are written in a working directory of the benchmark's own.
work=$(mktemp -d)
at_exit rm -rf "$work"
at_exit cd /  # out of it first: what runs after must not stand in a removed directory
cd "$work"

taskset -c "$cpu" wine "$build/bench/zobl_cli_bench.exe" "$(windows_path "$build/src/app/zobl-cli.exe")" </dev/null
