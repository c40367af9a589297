#!/usr/bin/env bash
# The project's test command: installs what is missing, builds what the tests run in every
# tree (host with sanitizers, the Windows program and its tests, the fuzzers), starts a
# screen and a Wine prefix, runs every test tier through CTest and stops what it started.
# Prints each phase's time and the ten slowest tests. Exits non-zero when anything fails.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
root=$PWD
jobs=$(nproc)

cmake/ensure-packages.sh cmake g++ clang libclang-rt-14-dev googletest libbenchmark-dev ccache nlohmann-json3-dev \
  wine64 wine g++-mingw-w64-x86-64-posix xvfb imagemagick xdotool \
  cups printer-driver-cups-pdf poppler-utils ghostscript nsis wixl msitools

. cmake/private-xvfb.sh
mkdir -p build
logs=build/test-logs
rm -rf "$logs"
mkdir -p "$logs"
wineprefix=$root/build/win64/wineprefix
at_exit cmake/wine-prefix.sh stop "$wineprefix"
# Programs Wine ended before they ran, started again by cmake/wine-run.sh.
restarts=$wineprefix.restarts
rm -f "$restarts"
# What the compiler cache gave this run (the cache itself is ccache's, kept between runs).
export CCACHE_STATSLOG=$root/$logs/ccache-stats.log
# A screen of our own for the window tests.
private_xvfb_start

# phase NAME COMMAND...: one step of the run, timed in $logs/phases; a failure is noted
# in $logs/failed and returned, and the run goes on.
phase() {
  local name=$1 start=$SECONDS status=0
  shift
  echo "== $name"
  "$@" || status=$?
  echo "== $name: $((SECONDS - start)) s"
  printf '%-22s %4d s%s\n' "$name" $((SECONDS - start)) "$( ((status == 0)) || echo "  FAILED")" >>"$logs/phases"
  ((status == 0)) || echo "$name" >>"$logs/failed"
  return "$status"
}
build_tree() { cmake --preset "$1" >/dev/null && cmake --build --preset "$1" -j"$jobs"; }
# The tier's CTest run, kept in $logs for the list of the slowest tests.
test_tree() { ctest --preset "$1" -j"$jobs" | tee "$logs/$1-ctest.log"; }

start=$SECONDS
# A new Wine prefix takes a while to make: the tree's own (warmed by its fixture) and the
# package check's are made while the trees build, and the tests find them ready.
(
  cmake/wine-prefix.sh ensure "$wineprefix" || true
  cmake/wine-prefix.sh create "$root/build/win64/package-wineprefix" || true
) </dev/null >/dev/null 2>&1 &
prefix_job=$!

phase "build host-sanitize" build_tree host-sanitize && phase "test host-sanitize" test_tree host-sanitize || true
phase "build win64" build_tree win64 || true
# The Windows tests mostly wait on Wine and the screen, leaving most of the processors
# idle: the fuzz tree is built and fuzzed meanwhile, at the lowest priority, so that it
# takes only what they leave. Its output follows theirs.
# A process group of its own, so that it is stopped with the run however that ends.
set -m
(
  renice -n 19 -p "$BASHPID" >/dev/null
  phase "build fuzz" build_tree fuzz && phase "test fuzz" test_tree fuzz
) </dev/null >"$logs/fuzz.log" 2>&1 &
fuzz_job=$!
set +m
stop_group() { kill -- "-$1" 2>/dev/null || true; }
at_exit stop_group "$fuzz_job"
phase "Wine prefix" wait "$prefix_job" || true
grep -qx "build win64" "$logs/failed" 2>/dev/null || phase "test win64" test_tree win64 || true
wait "$fuzz_job" || true
# Compiler output of the fuzz tree only when it failed to build; its tests always.
if grep -qx "build fuzz" "$logs/failed" 2>/dev/null; then
  cat "$logs/fuzz.log"
else
  sed -n '/^== build fuzz: /,$p' "$logs/fuzz.log"
fi

echo "== done in $((SECONDS - start)) s (the fuzz tree beside the Windows tests)"
sed 's/^/   /' "$logs/phases"
echo "== the slowest tests"
for tree in host-sanitize win64 fuzz; do
  [ -f "$logs/$tree-ctest.log" ] || continue
  sed -nE "s/^ *[0-9]+\/[0-9]+ +Test +#[0-9]+: ([^ ]+) .* ([0-9.]+) sec$/\2 $tree \1/p" "$logs/$tree-ctest.log"
done | sort -rn | awk 'NR <= 10 { printf "   %7.2f s  %-14s %s\n", $1, $2, $3 }'
if [ -s "$CCACHE_STATSLOG" ]; then
  echo "== compiler cache: $(ccache --show-log-stats 2>/dev/null | awk '
    $1 == "Hits:" { hits = $2 } $1 == "Misses:" { misses = $2 } END { printf "%d hits, %d misses", hits, misses }')"
fi
if [ -s "$restarts" ]; then
  echo "Wine ended $(wc -l <"$restarts") program(s) before they ran; each was started again:"
  cat "$restarts"
fi
if [ -s "$logs/failed" ]; then
  echo "FAILED: $(paste -sd, "$logs/failed" | sed 's/,/, /g')"
  exit 1
fi
echo "all tiers passed"
