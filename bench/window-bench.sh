# Sourced by the benchmarks of the real window, after `root`, `build` and `cpu` are set:
# a screen and a working directory of their own, a pinned wineserver, and everything
# stopped again at exit.
#   window_bench_build TARGET...    builds the targets in the Windows tree
#   window_bench_start PREFIX CPU   starts Xvfb, pins PREFIX's wineserver to CPU and
#                                   enters a fresh working directory holding the About text

window_bench_build() {
  cmake --preset win64 -B "$build" >/dev/null
  cmake --build "$build" -j2 --target "$@" >/dev/null
}

window_bench_stop() {
  wineserver -k 2>/dev/null || true
  [ -z "${window_bench_xvfb:-}" ] || kill "$window_bench_xvfb" 2>/dev/null || true
  [ -z "${window_bench_work:-}" ] || rm -rf "$window_bench_work"
}

window_bench_start() {
  local prefix=$1 cpu=$2 display
  for display in $(seq 140 180); do
    [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ] || break
  done
  Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  window_bench_xvfb=$!
  export DISPLAY=:$display
  trap window_bench_stop EXIT
  "$root/cmake/wine-prefix.sh" ensure "$prefix"
  export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="winedbg.exe=d;mscoree,mshtml="
  "$root/cmake/wine-prefix.sh" pin "$prefix" "$cpu"
  window_bench_work=$(mktemp -d)
  cd "$window_bench_work"  # no settings file, and the About text
  cp "$root/assets/readme.txt" .
}
