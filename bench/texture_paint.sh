#!/usr/bin/env bash
# Times one background erase of a 1280 x 1024 window with the texture on against one blit
# of the already tiled area, and a message storm with the texture's hook against none,
# interleaved in one run, pinned to one core with its wineserver, in a Wine prefix of its
# own on a screen of its own.
#   bench/texture_paint.sh [BUILD_DIR]   (default: build/win64; ZOBL_BENCH_CPU=0,
#                                         ZOBL_BENCH_ROUNDS=5)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(realpath -m "${1:-$root/build/win64}")
cpu=${ZOBL_BENCH_CPU:-0}
rounds=${ZOBL_BENCH_ROUNDS:-5}

. "$root/bench/window-bench.sh"
window_bench_build zobl_texture_paint_bench
exe=$build/bench/zobl_texture_paint_bench.exe

window_bench_start "$build/texture-paint-wineprefix" "$cpu"
cp "$root/assets/MARLO192.FON" .  # the texture reads it from the working directory
echo "$rounds rounds on CPU $cpu"
taskset -c "$cpu" wine "$exe" --rounds "$rounds" </dev/null | tr -d '\r'
