#!/usr/bin/env bash
# The real window under a minute of descriptor churn: another process adds and removes
# uninstall descriptors in all three sources while the window computes sizes, sorts,
# switches tabs, prints and runs both list commands, round after round. Prints the
# churner's adds and removes, the refreshes, the window's work, the rows checked and the
# failures (tests/scripts/churn_check.sh, which the ten-second test runs too).
#   bench/churn.sh [BUILD_DIR]   (default: build/win64; ZOBL_CHURN_SECONDS=60)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(realpath -m "${1:-$root/build/win64}")
seconds=${ZOBL_CHURN_SECONDS:-60}

. "$root/bench/window-bench.sh"
window_bench_build zobl_churn_check
private_xvfb_start
"$root/tests/scripts/churn_check.sh" "$build/print-wineprefix" "$build/tests/churn/zobl_churn_check.exe" \
  "$build/tests/churn/zobl_descriptor_churner.exe" "$build/tests/gui/zobl_test_uninstaller.exe" "$seconds"
