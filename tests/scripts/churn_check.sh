#!/usr/bin/env bash
# The window under churn: zobl_churn_check runs the real window in a Wine prefix of this
# test's own with a private CUPS-PDF queue as its default printer, while the descriptor
# churner it starts adds and removes descriptors. Passes when the window process ends
# with exit code 0 and its last printout lists every stable descriptor.
#   churn_check.sh PREFIX CHECK CHURNER UNINSTALLER [SECONDS]
# SECONDS: $ZOBL_CHURN_SECONDS, else 10. Needs $DISPLAY.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
. "$root/cmake/wine-env.sh"
. "$root/cmake/at-exit.sh"
. "$here/printing-prefix.sh"
wine_env "${1:?prefix}"
check=${2:?zobl_churn_check}
churner=${3:?zobl_descriptor_churner}
uninstaller=${4:?zobl_test_uninstaller}
seconds=${5:-${ZOBL_CHURN_SECONDS:-10}}

work=$(mktemp -d)
at_exit rm -rf "$work"
fail() {
  echo "churn_check: $*" >&2
  exit 1
}
[ -n "${DISPLAY:-}" ] || fail "the window needs a screen: set DISPLAY"

paper=$work/paper.ps
printing_prefix_start "$work" "$paper" || fail "no private printer"
# Descriptors of a run that was killed go, whatever happens (this runs before the stop).
at_exit wine_quiet wine "$churner" --sweep

# The window's working directory: its settings, backup file and planted trees.
mkdir "$work/window"
cp "$root/assets/readme.txt" "$work/window/"
status=0
(cd "$work/window" && timeout $((seconds + 240)) wine "$check" "$seconds" "$(windows_path "$churner")" \
  "$(windows_path "$uninstaller")" "$(windows_path "$paper")" </dev/null 2>"$work/stderr.log") |
  tr -d '\r' || status=$?
[ "$status" -eq 0 ] || fail "zobl_churn_check ended with exit code $status $(tail -5 "$work/stderr.log")"

# The last printout, through the queue's own PDF maker's route: every stable descriptor.
[ -s "$paper" ] || fail "the last print left no PostScript"
ps2pdf "$paper" "$work/paper.pdf"
pdftotext -layout "$work/paper.pdf" - | tr -d '\f' >"$work/paper.txt"  # a page's first line starts after a form feed
for tag in "64 0" "64 1" "64 2" "32 0" "32 1" "32 2" "U 0" "U 1" "U 2"; do
  grep -q "^Churn Stable $tag " "$work/paper.txt" ||
    fail "the last printout does not list Churn Stable $tag: $(head -c 600 "$work/paper.txt")"
done
echo "churn_check: the last printout lists every stable descriptor"
