#!/usr/bin/env bash
# Measures the memory of the real program started as its user starts it, its list filled,
# with 0, 1,000 and 10,000 uninstall descriptors, and the bytes each row adds above the
# empty start. The figures are the process's memory counters as another Windows program
# gets them (GetProcessMemoryInfo, PROCESS_MEMORY_COUNTERS_EX), checked against the Linux
# process's /proc. Wine 8 fills them from /proc/PID/status: PagefileUsage is RssAnon plus
# VmSwap (the private bytes resident), PeakPagefileUsage repeats it (no peak is kept),
# PeakWorkingSetSize is VmHWM (a true peak, but shared file pages included) and
# PrivateUsage stays 0. So the private bytes are read after start-up, and the peak from
# the working set, whose shared pages do not grow with the rows. Program and wineserver
# are pinned to one core, in a Wine prefix of their own on a screen of their own.
#   bench/memory.sh [BUILD_DIR]   (default: build/win64; ZOBL_BENCH_CPU=0)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(realpath -m "${1:-$root/build/win64}")
cpu=${ZOBL_BENCH_CPU:-0}
sizes=(0 1000 10000)
key_prefix=ZoblMemoryBench

. "$root/bench/window-bench.sh"
window_bench_build zobl zobl_memory_bench
exe=$build/src/app/zobl.exe
tool=$build/bench/zobl_memory_bench.exe
prefix=$build/memory-wineprefix

window_bench_start "$prefix" "$cpu"

window_bench_descriptor_files "$key_prefix" "${sizes[@]}"

# A field of /proc/PID/status in bytes (the kernel gives kB).
status_bytes() { awk -v field="$2:" '$1 == field { print $2 * 1024 }' "/proc/$1/status" 2>/dev/null; }

declare -A windows linux
for size in "${sizes[@]}"; do
  window_bench_use_descriptors "$size"
  "$root/cmake/wine-prefix.sh" pin "$prefix" "$cpu"

  taskset -c "$cpu" wine "$exe" </dev/null >/dev/null 2>&1 &
  launched=$!
  windows[$size]=$(taskset -c "$cpu" wine "$tool" </dev/null | tr -d '\r')
  program=$(window_bench_program_pid "$exe")
  [ -n "$program" ] || { echo "the program's process was not found" >&2; exit 1; }
  linux[$size]="anon $(status_bytes "$program" RssAnon) swap $(status_bytes "$program" VmSwap)"
  linux[$size]+=" hwm $(status_bytes "$program" VmHWM)"
  window_bench_close "$launched"
  window_bench_use_descriptors 0
done

# The value after NAME in a line of "name value" pairs.
field() { awk -v name="$2" '{ for (i = 1; i < NF; i += 2) if ($i == name) print $(i + 1) }' <<<"$1"; }
label() { echo "$1" | sed -E ':a; s/([0-9])([0-9]{3})($|,)/\1,\2\3/; ta'; }
mib() { awk -v b="$1" 'BEGIN { printf "%.1f MiB", b / 1048576 }'; }
per_row() { awk -v a="$1" -v b="$2" -v n="$3" 'BEGIN { printf "%.0f", (a - b) / n }'; }

echo "The program after its start-up, list filled; program and wineserver pinned to CPU $cpu:"
printf '%12s %6s %14s %14s %18s %12s %12s %12s\n' descriptors rows PrivateUsage PagefileUsage \
  PeakWorkingSetSize "/proc:" "RssAnon" "VmHWM"
for size in "${sizes[@]}"; do
  w=${windows[$size]} l=${linux[$size]}
  printf '%12s %6s %14s %14s %18s %12s %12s %12s\n' "$(label "$size")" "$(field "$w" rows)" \
    "$(mib "$(field "$w" private)")" "$(mib "$(field "$w" pagefile)")" "$(mib "$(field "$w" peak_working_set)")" "" \
    "$(mib "$(field "$l" anon)")" "$(mib "$(field "$l" hwm)")"
done
for size in "${sizes[@]}"; do
  [ "$size" -eq 0 ] && continue
  echo "$(label "$size") rows above the empty start, per row:" \
    "private $(per_row "$(field "${windows[$size]}" pagefile)" "$(field "${windows[0]}" pagefile)" "$size") B," \
    "peak working set $(per_row "$(field "${windows[$size]}" peak_working_set)" \
      "$(field "${windows[0]}" peak_working_set)" "$size") B (goal: at most 2,048 B)"
done
