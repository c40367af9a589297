#!/usr/bin/env bash
# Measures what the window costs while it is left open and idle. The real program is run
# with 0, 1,000 and 10,000 uninstall descriptors in one run. After its start-up it idles
# for ZOBL_IDLE_SECONDS, and the CPU time of the program and its wineserver together is
# read from /proc. Both are pinned to one core, in a Wine prefix of their own on a
# screen of their own.
#   bench/idle_refresh.sh [BUILD_DIR]   (default: build/win64; ZOBL_BENCH_CPU=0,
#                                        ZOBL_IDLE_SECONDS=20)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(realpath -m "${1:-$root/build/win64}")
cpu=${ZOBL_BENCH_CPU:-0}
seconds=${ZOBL_IDLE_SECONDS:-20}
sizes=(0 1000 10000)
# The descriptors are direct subkeys of the key the program reads, named so that they
# cannot be mistaken for anything else in the prefix.
key_prefix=ZoblIdleBench
caption='^ZOBL Quillmoor 2\.0$'
ticks_per_second=$(getconf CLK_TCK)

. "$root/bench/window-bench.sh"
window_bench_build zobl
exe=$build/src/app/zobl.exe
prefix=$build/idle-refresh-wineprefix

window_bench_start "$prefix" "$cpu"

window_bench_descriptor_files "$key_prefix" "${sizes[@]}"

# The prefix's server runs in a directory named after the prefix's device and inode.
server_pid() {
  local dir p
  dir=$(printf 'server-%x-%x' "0x$(stat -c %D "$prefix")" "$(stat -c %i "$prefix")")
  for p in $(pgrep wineserver); do
    [ "$(basename "$(readlink "/proc/$p/cwd" 2>/dev/null)")" != "$dir" ] || { echo "$p"; return; }
  done
  true
}

# User plus system time of the processes, in clock ticks (fields 14 and 15 of stat;
# the name field is cut first since it may hold spaces).
ticks() {
  local p total=0
  for p in "$@"; do
    total=$((total + $(sed 's/.*) //' "/proc/$p/stat" | awk '{ print $12 + $13 }')))
  done
  echo "$total"
}

now() { date +%s.%N; }

declare -A cpu_seconds percent
for size in "${sizes[@]}"; do
  window_bench_use_descriptors "$size"
  # A fresh server writes the imported keys out on its way down: its periodic save of
  # the registry cannot fall within the measured time.
  "$root/cmake/wine-prefix.sh" pin "$prefix" "$cpu"
  server=$(server_pid)
  [ -n "$server" ] || { echo "no wineserver found for $prefix" >&2; exit 1; }

  taskset -c "$cpu" wine "$exe" </dev/null >/dev/null 2>&1 &
  launched=$!
  program="" appeared=""
  for _ in $(seq 600); do
    [ -n "$program" ] || program=$(window_bench_program_pid "$exe")
    if [ -n "$program" ] && xdotool search --name "$caption" >/dev/null 2>&1; then appeared=1; break; fi
    kill -0 "$launched" 2>/dev/null || { echo "the program ended during its start-up" >&2; exit 1; }
    sleep 0.1
  done
  [ -n "$appeared" ] || { echo "the program's window did not appear within 60 s" >&2; exit 1; }
  # Start-up is over once a whole second passes with less than half of it spent on CPU;
  # a little more lets the first paints and timers settle.
  for _ in $(seq 120); do
    before=$(ticks "$program" "$server")
    sleep 1
    [ $(($(ticks "$program" "$server") - before)) -ge $((ticks_per_second / 2)) ] || break
  done
  sleep 2

  start_ticks=$(ticks "$program" "$server")
  start_time=$(now)
  sleep "$seconds"
  end_ticks=$(ticks "$program" "$server")
  end_time=$(now)
  kill -0 "$program" 2>/dev/null || { echo "the program ended while idle" >&2; exit 1; }
  read -r "cpu_seconds[$size]" "percent[$size]" < <(awk -v t=$((end_ticks - start_ticks)) -v hz="$ticks_per_second" \
    -v wall="$(awk -v a="$start_time" -v b="$end_time" 'BEGIN { print b - a }')" \
    'BEGIN { printf "%.3f %.3f\n", t / hz, 100 * t / hz / wall }')

  window_bench_close "$launched"
  window_bench_use_descriptors 0
done

label() { echo "$1" | sed -E ':a; s/([0-9])([0-9]{3})($|,)/\1,\2\3/; ta'; }
echo "Idle for $seconds s after start-up, program and wineserver pinned to CPU $cpu:"
printf '%12s %14s %16s %22s\n' descriptors "CPU seconds" "% of one core" "x the empty list's"
for size in "${sizes[@]}"; do
  printf '%12s %14s %16s %22s\n' "$(label "$size")" "${cpu_seconds[$size]}" "${percent[$size]}" \
    "$(awk -v a="${cpu_seconds[$size]}" -v b="${cpu_seconds[0]}" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "-" }')"
done
for size in "${sizes[@]}"; do
  [ "$size" -eq 0 ] && continue
  awk -v name="$(label "$size")" -v a="${percent[$size]}" -v b="${percent[0]}" \
    'BEGIN { d = a - b; if (d > -0.005 && d < 0.005) d = 0  # no "-0.00"
             printf "%s: %.2f %% above the empty list'"'"'s idle cost (goal: at most 0.30)\n", name, d }'
done
