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

started_xvfb=
wineprefix=$root/build/win64/wineprefix
cleanup() {
  "$root/cmake/wine-prefix.sh" stop "$wineprefix" || true
  [ -z "$started_xvfb" ] || kill "$started_xvfb" 2>/dev/null || true
}
trap cleanup EXIT

# A screen of our own for the window tests, on the first free display number.
for display in $(seq 91 130); do
  [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ] || break
done
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
started_xvfb=$!
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
export DISPLAY=:$display

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
if ((${#failed[@]})); then
  echo "FAILED: ${failed[*]}"
  exit 1
fi
echo "all tiers passed"
