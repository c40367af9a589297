#!/usr/bin/env bash
# The peak memory of `zobl-cli.exe /list /json` as a whole process (its peak working set:
# the Linux process's high-water mark, which is what Wine reports for it), its output a
# file, in three registries: none of the benchmark's descriptors; one per-user descriptor
# any user may write, with a 1,000,000-byte value beside 2,000 numbers; 1,000 ordinary
# descriptors. With a second program (an earlier build, say), both are measured in the
# same run, each three times (the largest peak counts). Pinned to one core, in a Wine
# prefix of the benchmark's own.
#   bench/cli_memory.sh [BUILD_DIR] [OTHER_ZOBL_CLI_EXE]   (default: build/win64; ZOBL_BENCH_CPU=0)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(realpath -m "${1:-$root/build/win64}")
other=${2:+$(realpath "$2")}
cpu=${ZOBL_BENCH_CPU:-0}
key_prefix=ZoblMemoryCli

. "$root/bench/window-bench.sh"
window_bench_build zobl_cli
wine_bench_start "$build/cli-memory-wineprefix" "$cpu"

hostile='HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Uninstall\ZoblHostile'
python3 - "$hostile" >"$WINEPREFIX/hostile.reg" <<'EOF'
import sys
key = sys.argv[1]
out = ["REGEDIT4", "", f"[{key}]", '"DisplayName"="Hostile"']
data = ",".join(["41"] * 1_000_000)
out.append('"Big"=hex:' + data)
out += [f'"N{i:04d}"=dword:{i:08x}' for i in range(2000)]
sys.stdout.write("\r\n".join(out) + "\r\n")
EOF
printf 'REGEDIT4\r\n\r\n[-%s]\r\n' "$hostile" >"$WINEPREFIX/hostile-remove.reg"
window_bench_descriptor_files "$key_prefix" 1000

# The peak resident size in KiB of one run: the Windows process is the Linux process that
# `wine` becomes, so its own maximum is the program's.
peak() {
  /usr/bin/time -f %M taskset -c "$cpu" wine "$1" /list /json </dev/null 2>&1 >/dev/null | tail -1
}

programs=("$build/src/app/zobl-cli.exe")
[ -n "$other" ] && programs+=("$other")
echo "zobl-cli /list /json, peak working set (largest of 3 runs)"
for shape in empty hostile ordinary; do
  window_bench_import "$WINEPREFIX/hostile-remove.reg"
  window_bench_use_descriptors 0
  case $shape in
    hostile) window_bench_import "$WINEPREFIX/hostile.reg" ;;
    ordinary) window_bench_use_descriptors 1000 ;;
  esac
  for program in "${programs[@]}"; do
    largest=0
    for _ in 1 2 3; do
      kib=$(peak "$program")
      ((kib > largest)) && largest=$kib
    done
    printf '  %-9s %-40s %8.1f MB\n' "$shape" "$(basename "$(dirname "$program")")/$(basename "$program")" \
      "$(echo "$largest / 1024" | bc -l)"
  done
done
window_bench_import "$WINEPREFIX/hostile-remove.reg"
window_bench_use_descriptors 0
