# Sourced by the benchmarks of the real window, after `root`, `build` and `cpu` are set:
# a screen and a working directory of their own, a pinned wineserver, and everything
# stopped again at exit.
#   window_bench_build TARGET...    builds the targets in the Windows tree
#   window_bench_start PREFIX CPU   starts Xvfb, pins PREFIX's wineserver to CPU and
#                                   enters a fresh working directory holding the About text

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
  local prefix=$1 cpu=$2
  private_xvfb_start
  "$root/cmake/wine-prefix.sh" ensure "$prefix"
  wine_env "$prefix"
  at_exit "$root/cmake/wine-prefix.sh" stop "$WINEPREFIX"
  "$root/cmake/wine-prefix.sh" pin "$prefix" "$cpu"
  window_bench_work=$(mktemp -d)
  at_exit window_bench_leave
  cd "$window_bench_work"  # no settings file, and the About text
  cp "$root/assets/readme.txt" .
}
