# Sourced by the benchmarks that run the real programs, after `root`, `build` and `cpu`
# are set: a screen (for the window) and a working directory of their own, a pinned
# wineserver, and everything stopped again at exit.
#   window_bench_build TARGET...    builds the targets in the Windows tree
#   window_bench_start PREFIX CPU   starts Xvfb, pins PREFIX's wineserver to CPU and
#                                   enters a fresh working directory holding the About text
#   wine_bench_start PREFIX CPU     the same without a screen and the About text, for
#                                   programs without a window
# and, for benchmarks that run the program itself with many descriptors:
#   window_bench_descriptors NAME COUNT [remove]   a REGEDIT4 text adding (or removing)
#                                   COUNT descriptors NAME00000... under the machine's key
#   window_bench_import FILE        imports a .reg file into the prefix, pinned to CPU
#   window_bench_program_pid EXE    the Linux pid of EXE running in the prefix, if any
#   window_bench_close PID          closes the program started as PID as a person would

. "$root/cmake/wine-env.sh"
. "$root/cmake/private-xvfb.sh"

window_bench_build() {
  cmake --preset win64 -B "$build" >/dev/null
  cmake --build "$build" -j2 --target "$@" >/dev/null
}

# Out of the working directory first: what runs after must not stand in a removed one.
window_bench_leave() {
  cd /
  rm -rf "$window_bench_work"
}

window_bench_start() {
  private_xvfb_start
  wine_bench_start "$@"
  cp "$root/assets/readme.txt" .  # no settings file, and the About text
}

wine_bench_start() {
  local prefix=$1 cpu=$2
  "$root/cmake/wine-prefix.sh" ensure "$prefix"
  wine_env "$prefix"
  at_exit "$root/cmake/wine-prefix.sh" stop "$WINEPREFIX"
  "$root/cmake/wine-prefix.sh" pin "$prefix" "$cpu"
  window_bench_work=$(mktemp -d)
  at_exit window_bench_leave
  cd "$window_bench_work"
}

# One .reg import adds or removes thousands of keys in well under a second, where
# `reg add` would take a tenth of a second per key.
window_bench_descriptors() {
  local uninstall='HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall'
  UNINSTALL=$uninstall KEY_PREFIX=$1 awk -v count="$2" -v remove="${3:+1}" 'BEGIN {
    key = ENVIRON["UNINSTALL"] "\\" ENVIRON["KEY_PREFIX"]
    printf "REGEDIT4\r\n\r\n"
    for (i = 0; i < count; i++) {
      if (remove) { printf "[-%s%05d]\r\n", key, i; continue }
      # Display names out of key order, so that sorting the list has work to do.
      printf "[%s%05d]\r\n\"DisplayName\"=\"Bench program %05d\"\r\n", key, i, i * 7919 % count
      printf "\"UninstallString\"=\"MsiExec.exe /X{%08X-0000-4000-8000-%012d}\"\r\n\r\n", i, i
    }
  }'
}

window_bench_import() { taskset -c "$cpu" wine regedit /S "$(windows_path "$1")" </dev/null >/dev/null 2>&1; }

# Writes into the prefix, which belongs to the benchmark, the .reg files that give the
# registry each SIZE of descriptors named KEY_PREFIX and one that removes them all.
#   window_bench_descriptor_files KEY_PREFIX SIZE...
window_bench_descriptor_files() {
  local key_prefix=$1 size largest=0
  shift
  for size; do
    if ((size > largest)); then largest=$size; fi
    ((size == 0)) || window_bench_descriptors "$key_prefix" "$size" >"$WINEPREFIX/descriptors-$size.reg"
  done
  window_bench_descriptors "$key_prefix" "$largest" remove >"$WINEPREFIX/descriptors-remove.reg"
}

# Leaves SIZE of those descriptors in the registry, whatever a run before (or one
# interrupted) left there; 0 removes them.
window_bench_use_descriptors() {
  window_bench_import "$WINEPREFIX/descriptors-remove.reg"
  (($1 == 0)) || window_bench_import "$WINEPREFIX/descriptors-$1.reg"
}

# Wine gives the program's process the path of the executable as its first argument.
window_bench_program_pid() {
  local p
  for p in $(pgrep -f "$(basename "$1")"); do
    [ "$(tr '\0' '\n' <"/proc/$p/cmdline" 2>/dev/null | head -1)" = "$1" ] || continue
    tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && { echo "$p"; return; }
  done
  true
}

# Wine's taskkill without /f posts WM_CLOSE to the program's windows.
window_bench_close() {
  local launched=$1
  taskset -c "$cpu" wine taskkill /im zobl.exe </dev/null >/dev/null 2>&1 || true
  for _ in $(seq 150); do
    kill -0 "$launched" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$launched" 2>/dev/null; then
    echo "the program did not close within 15 s; ending it" >&2
    kill "$launched" 2>/dev/null || true
  fi
  wait "$launched" 2>/dev/null || true
}
