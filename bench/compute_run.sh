#!/usr/bin/env bash
# Times "Compute the Files Size" in the real window on 200 program directories of 100
# files each against DirectorySize alone on the same directories, interleaved in one
# run, pinned to one core with its wineserver, in a Wine prefix of its own on a screen
# of its own. The tree is made once and kept in the prefix.
#   bench/compute_run.sh [BUILD_DIR]   (default: build/win64; ZOBL_BENCH_CPU=0,
#                                       ZOBL_BENCH_ROUNDS=5)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(realpath -m "${1:-$root/build/win64}")
cpu=${ZOBL_BENCH_CPU:-0}
rounds=${ZOBL_BENCH_ROUNDS:-5}

. "$root/bench/window-bench.sh"
window_bench_build zobl_compute_run_bench
exe=$build/bench/zobl_compute_run_bench.exe

prefix=$build/compute-run-wineprefix
"$root/cmake/wine-prefix.sh" ensure "$prefix"

# App000 .. App199, each an uninstall.exe and 99 more files below 64 KiB; all sparse.
tree=$prefix/drive_c/ZoblComputeBench
layout="200x100 v1"
if [ "$(cat "$tree.layout" 2>/dev/null)" != "$layout" ]; then
  echo "making the tree (once) ..."
  rm -rf "$tree"
  perl -e '
    my ($tree) = @ARGV; my $seed = 7;
    sub rnd { $seed = ($seed * 1103515245 + 12345) % 2147483648; return $seed; }
    mkdir $tree or die;
    for my $a (0 .. 199) { my $dir = sprintf("%s/App%03d", $tree, $a); mkdir $dir or die;
      for my $f (0 .. 99) {
        my $name = $f == 0 ? "uninstall.exe" : sprintf("file%02d.dat", $f);
        open(my $h, ">", "$dir/$name") or die; truncate($h, rnd() % 65536) or die; close($h);
      } }' "$tree"
  echo "$layout" >"$tree.layout"
fi
files=$(find "$tree" -type f | wc -l)
expected=$(find "$tree" -type f -printf '%s\n' | awk '{ s += $1 } END { printf "%.0f\n", s }')

window_bench_start "$prefix" "$cpu"
echo "tree: $files files, $expected bytes in files; $rounds rounds on CPU $cpu"
taskset -c "$cpu" wine "$exe" --rounds "$rounds" --expect "$expected" </dev/null | tr -d '\r'
