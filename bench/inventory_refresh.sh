#!/usr/bin/env bash
# Builds the 64-bit Windows tree and times the inventory refresh under Wine with 1,000
# descriptors spread over the three sources (the machine's 64-bit and 32-bit views and
# the current user), against a bare loop of the registry calls it must make. The program and
# its wineserver run pinned to one core, in a Wine prefix of their own.
#   bench/inventory_refresh.sh [BUILD_DIR]      (default: build/win64; ZOBL_BENCH_CPU=0)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(realpath -m "${1:-$root/build/win64}")
cpu=${ZOBL_BENCH_CPU:-0}

cmake --preset win64 -B "$build" >/dev/null
cmake --build "$build" -j2 --target zobl_inventory_refresh_bench >/dev/null

prefix=$build/bench-wineprefix
"$root/cmake/wine-prefix.sh" ensure "$prefix"
. "$root/cmake/wine-env.sh"
. "$root/cmake/at-exit.sh"
wine_env "$prefix"
"$root/cmake/wine-prefix.sh" pin "$prefix" "$cpu"
at_exit "$root/cmake/wine-prefix.sh" stop "$WINEPREFIX"

taskset -c "$cpu" wine "$build/bench/zobl_inventory_refresh_bench.exe" </dev/null
