#!/usr/bin/env bash
# The project's test command: installs what is missing, builds every tree (host with
# sanitizers, the fuzzers, the Windows program and its tests), starts a screen and a
# Wine prefix, runs every test tier through CTest and stops what it started.
# Exits non-zero when anything fails.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
root=$PWD
jobs=$(nproc)

cmake/ensure-packages.sh cmake g++ clang libclang-rt-14-dev googletest libbenchmark-dev \
  wine64 wine g++-mingw-w64-x86-64-posix xvfb imagemagick \
  cups printer-driver-cups-pdf poppler-utils ghostscript

. cmake/private-xvfb.sh
wineprefix=$root/build/win64/wineprefix
at_exit cmake/wine-prefix.sh stop "$wineprefix"
# Programs Wine ended before they ran, started again by cmake/wine-run.sh.
restarts=$wineprefix.restarts
rm -f "$restarts"
# A screen of our own for the window tests.
private_xvfb_start

failed=()
run_tier() {
  local preset=$1
  echo "== $preset: configure and build"
  if ! { cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" -j"$jobs"; }; then
    failed+=("$preset (build)")
    return
  fi
  if [ "$preset" = win64 ]; then
    echo "== $preset: Wine prefix"
    "$root/cmake/wine-prefix.sh" ensure "$wineprefix"
  fi
  echo "== $preset: tests"
  ctest --preset "$preset" -j"$jobs" || failed+=("$preset (tests)")
}

start=$SECONDS
run_tier host-sanitize
run_tier win64
run_tier fuzz

echo "== done in $((SECONDS - start)) s"
if [ -s "$restarts" ]; then
  echo "Wine ended $(wc -l <"$restarts") program(s) before they ran; each was started again:"
  cat "$restarts"
fi
if ((${#failed[@]})); then
  echo "FAILED: ${failed[*]}"
  exit 1
fi
echo "all tiers passed"
