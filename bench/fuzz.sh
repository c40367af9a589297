#!/usr/bin/env bash
# Builds the fuzz tree (clang, ASan + UBSan) and runs every fuzz target for RUNS inputs
# over a fresh copy of its seed corpus, with the options of its test, JOBS targets at a
# time. Prints each target's executions, findings (crash, leak, timeout or out-of-memory
# files, or a non-zero exit) and time, then a summary line; exits non-zero when any
# target found something. Logs and findings stay in a scratch folder named at the end.
#   bench/fuzz.sh [RUNS] [TARGET...]      (default: 10000000 runs, every target; ZOBL_FUZZ_JOBS=2)
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
runs=${1:-10000000}
shift $(($# > 0 ? 1 : 0))
jobs=${ZOBL_FUZZ_JOBS:-2}

cd "$root"
cmake --preset fuzz >/dev/null && cmake --build --preset fuzz -j2 >/dev/null || exit 2
list=$root/build/fuzz/tests/fuzz/fuzz_targets.txt
out=$(mktemp -d)

# One target: NAME BINARY OPTIONS SEEDS. Leaves "name executions findings exit seconds".
run_target() {
  local name=$1 binary=$2 options=$3 seeds=$4 dir=$out/$1
  mkdir -p "$dir/corpus"
  local start=$SECONDS
  # shellcheck disable=SC2086  # the options are separate words
  (cd "$dir" && "$binary" $options -runs="$runs" -timeout=30 -print_final_stats=1 \
    -artifact_prefix="$dir/" "$dir/corpus" "$seeds" >"$dir/log" 2>&1)
  local status=$? seconds=$((SECONDS - start))
  local executions findings
  executions=$(awk '/stat::number_of_executed_units/ {print $2}' "$dir/log")
  findings=$(find "$dir" -maxdepth 1 \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' -o -name 'oom-*' \) |
    wc -l)
  echo "$name ${executions:-0} $findings $status $seconds" >"$dir/result"
  printf '%-18s %12s executions  %s findings  exit %s  %5s s\n' "$name" "${executions:-0}" "$findings" "$status" \
    "$seconds"
}

names=()
while IFS=$'\t' read -r name binary options seeds; do
  if (($# > 0)) && [[ " $* " != *" $name "* ]]; then continue; fi
  names+=("$name")
  while (($(jobs -rp | wc -l) >= jobs)); do wait -n; done
  run_target "$name" "$binary" "$options" "$seeds" &
done <"$list"
wait

total=0 found=0 failed=()
for name in "${names[@]}"; do
  read -r _ executions findings status _ <"$out/$name/result"
  total=$((total + executions))
  if ((findings > 0 || status != 0 || executions < runs)); then
    found=$((found + findings))
    failed+=("$name")
  fi
done
echo "fuzz: ${#names[@]} targets, $total executions, $found findings, ${#failed[@]} failed${failed[*]:+: ${failed[*]}} (logs in $out)"
((${#failed[@]} == 0))
