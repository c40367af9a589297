#!/usr/bin/env bash
# Times DirectorySize under Wine on 100,000 files of mixed sizes in about 5,000
# directories, against a bare loop of the same Win32 calls (the two interleaved, one
# top-level directory at a time) and against `du -sb` on the Linux side. The program, its wineserver and du run pinned to one core, in a Wine
# prefix of their own; the tree is made once and kept there.
#   bench/directory_size.sh [BUILD_DIR]   (default: build/win64; ZOBL_BENCH_CPU=0,
#                                          ZOBL_BENCH_ROUNDS=5)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(realpath -m "${1:-$root/build/win64}")
cpu=${ZOBL_BENCH_CPU:-0}
rounds=${ZOBL_BENCH_ROUNDS:-5}

cmake --preset win64 -B "$build" >/dev/null
cmake --build "$build" -j2 --target zobl_directory_size_bench >/dev/null
exe=$build/bench/zobl_directory_size_bench.exe

prefix=$build/directory-size-wineprefix
"$root/cmake/wine-prefix.sh" ensure "$prefix"
. "$root/cmake/wine-env.sh"
. "$root/cmake/at-exit.sh"
wine_env "$prefix"

# 10 x 10 x 50 leaf directories of 20 files each. Sizes: 60% below 8 KiB, 30% below
# 1 MiB, 9% below 64 MiB, 1% of 4 to 5 GiB; all sparse, so the tree takes little disk.
tree=$prefix/drive_c/zobl-bench-tree
layout="10x10x50x20 v1"
if [ "$(cat "$tree.layout" 2>/dev/null)" != "$layout" ]; then
  echo "making the tree (once) ..."
  rm -rf "$tree"
  perl -e '
    my ($tree) = @ARGV; my $seed = 1;
    sub rnd { $seed = ($seed * 1103515245 + 12345) % 2147483648; return $seed; }
    mkdir $tree or die;
    for my $a (0 .. 9) { mkdir "$tree/a$a" or die;
      for my $b (0 .. 9) { mkdir "$tree/a$a/b$b" or die;
        for my $c (0 .. 49) { my $dir = "$tree/a$a/b$b/c$c"; mkdir $dir or die;
          for my $f (0 .. 19) {
            my $r = rnd() % 100;
            my $size = $r < 60 ? rnd() % 8192 : $r < 90 ? rnd() % 1048576 : $r < 99 ? rnd() % 67108864
                     : 4294967296 + rnd() % 1073741824;
            open(my $h, ">", "$dir/file$f.bin") or die; truncate($h, $size) or die; close($h);
          } } } }' "$tree"
  echo "$layout" >"$tree.layout"
fi
files=$(find "$tree" -type f | wc -l)
directories=$(find "$tree" -type d | wc -l)
expected=$(find "$tree" -type f -printf '%s\n' | awk '{ s += $1 } END { printf "%.0f\n", s }')

"$root/cmake/wine-prefix.sh" pin "$prefix" "$cpu"

work=$(mktemp -d)
at_exit rm -rf "$work"
at_exit "$root/cmake/wine-prefix.sh" stop "$WINEPREFIX"

# A first pass of each fills the kernel's caches.
du -sb "$tree" >/dev/null
taskset -c "$cpu" wine "$exe" --rounds 1 'C:\zobl-bench-tree' </dev/null >/dev/null

echo "tree: $files files, $directories directories, $expected bytes in files; $rounds rounds on CPU $cpu"
taskset -c "$cpu" wine "$exe" --rounds "$rounds" 'C:\zobl-bench-tree' </dev/null | tr -d '\r' >"$work/wine"
for _ in $(seq "$rounds"); do
  start=$(date +%s%N)
  taskset -c "$cpu" du -sb "$tree" >/dev/null
  end=$(date +%s%N)
  echo "du $(du -sb "$tree" | cut -f1) $(awk -v ns=$((end - start)) 'BEGIN { printf "%.6f", ns / 1e9 }')"
done >"$work/du"

median() { awk -v k="$1" '$1 == k { print $3 }' "$work/wine" "$work/du" | sort -g |
  awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
totals() { awk -v k="$1" '$1 == k { print $2 }' "$work/wine" "$work/du" | sort -u | tr '\n' ' '; }

scan=$(median scan)
bare=$(median bare)
du=$(median du)
printf '%-34s %10s  %s\n' "" "median s" "bytes"
printf '%-34s %10.3f  %s\n' "DirectorySize (PeekMessage pump)" "$scan" "$(totals scan)"
printf '%-34s %10.3f  %s\n' "bare Win32 loop" "$bare" "$(totals bare)"
printf '%-34s %10.3f  %s\n' "du -sb (counts directories too)" "$du" "$(totals du)"
echo "each round (seconds):"
paste <(awk '$1 == "scan" { print $3 }' "$work/wine") <(awk '$1 == "bare" { print $3 }' "$work/wine") \
  <(awk '{ print $3 }' "$work/du") | awk '{ printf "  scan %.3f  bare %.3f  du %.3f\n", $1, $2, $3 }'
awk -v s="$scan" -v b="$bare" -v d="$du" 'BEGIN {
  printf "DirectorySize / bare loop: %.3f   (goal: at most 1.10)\n", s / b
  printf "DirectorySize / du -sb:    %.1f\n", s / d
  printf "bare loop / du -sb:        %.1f\n", b / d }'
[ "$(totals scan)" = "$expected " ] && [ "$(totals bare)" = "$expected " ] ||
  { echo "totals differ from find's sum $expected" >&2; exit 1; }
