#!/usr/bin/env bash
# Prints the list through the real print dialog, Wine's PostScript driver and a private
# CUPS-PDF queue, and compares the text on paper with the lines the program meant to
# print; then cancels the dialog and checks that nothing was printed.
#   print_check.sh PREFIX EXE    PREFIX: a Wine prefix of this test's own; needs $DISPLAY
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
. "$root/cmake/wine-env.sh"
. "$root/cmake/at-exit.sh"
. "$here/printing-prefix.sh"
wine_env "${1:?prefix}"
exe=${2:?program}
rows=150 # two A4 pages at 300 dpi

work=$(mktemp -d)
at_exit rm -rf "$work"
fail() {
  echo "print_check: $*" >&2
  exit 1
}
[ -n "${DISPLAY:-}" ] || fail "the print dialog needs a screen: set DISPLAY"

paper=$work/paper.ps
printing_prefix_start "$work" "$paper" || fail "no private printer"

# Runs the program; a dialog nobody answers ends it after a minute.
print_list() {
  local status=0
  rm -f "$paper"
  timeout 60 wine "$exe" "$@" </dev/null >"$work/program.log" 2>&1 || status=$?
  [ "$status" -eq 0 ] || fail "zobl_print_check $* ended with exit code $status: $(cat "$work/program.log")"
}

print_list "$rows" "Z:$work/expected.txt"
[ -s "$paper" ] || fail "nothing was printed"
ps2pdf "$paper" "$work/paper.pdf"
pages=$(pdfinfo "$work/paper.pdf" | awk '$1 == "Pages:" { print $2 }')
[ "$pages" = 2 ] || fail "$pages pages printed, 2 expected"
pdftotext -layout "$work/paper.pdf" "$work/paper.txt"

# The expected file holds the header's fixed start, then every row's line. On paper: the
# header first (start, then the date and time without leading zeros), then the rows in
# order; no other line, on no page, is a header.
awk -v pages="$pages" '
  NR == FNR {
    sub(/\r$/, "")
    if (FNR == 1) start = $0
    else want[++wanted] = $0
    next
  }
  {
    page += gsub(/\f/, "")
    sub(/[ \r]+$/, "")
    if ($0 == "") next
    if (++seen == 1) {
      date = substr($0, length(start) + 1)
      if (index($0, start) != 1 || date !~ /^[0-9][0-9][0-9][0-9]\.[1-9][0-9]?\.[1-9][0-9]? (0|[1-9][0-9]?)h(0|[1-9][0-9]?)$/) {
        printf "the first line is no header: \"%s\"\n", $0
        failed = 1
        exit
      }
      next
    }
    row = seen - 1
    if (index($0, start) == 1) {
      printf "a header on page %d after row %d: \"%s\"\n", page + 1, row - 1, $0
      failed = 1
      exit
    }
    if ($0 != want[row]) {
      printf "row %d on page %d:\n  printed  \"%s\"\n  expected \"%s\"\n", row, page + 1, $0, want[row]
      failed = 1
      exit
    }
    onPage[page + 1]++
  }
  END {
    if (failed) exit 1
    if (seen - 1 != wanted) {
      printf "%d rows printed, %d expected\n", seen - 1, wanted
      exit 1
    }
    printf "print_check: %d pages, header and %d row lines as expected (%d on page 1, %d on page 2)\n",
      pages, wanted, onPage[1], onPage[2]
  }
' "$work/expected.txt" "$work/paper.txt" || fail "the paper differs from the list"

print_list "$rows" "Z:$work/expected.txt" --cancel
[ ! -e "$paper" ] || fail "printed although the dialog was cancelled"
echo "print_check: a cancelled dialog printed nothing"
