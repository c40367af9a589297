#!/usr/bin/env bash
# Prints the list through the real print dialog, Wine's PostScript driver and a private
# CUPS-PDF queue, and compares the text on paper with the lines the program meant to
# print, once in one copy and once in two collated copies; then cancels the dialog and
# checks that nothing was printed.
# The printing program runs with a spooler DLL of another's planted beside it, under the
# search order of Windows (Wine otherwise takes its own): it must never be loaded.
#   print_check.sh PREFIX EXE DLL   PREFIX: a Wine prefix of this test's own; DLL: the
#                                   planted winspool.drv; needs $DISPLAY
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
. "$root/cmake/wine-env.sh"
. "$root/cmake/at-exit.sh"
. "$here/printing-prefix.sh"
wine_env "${1:?prefix}"
rows=150 # two A4 pages at 300 dpi

work=$(mktemp -d)
at_exit rm -rf "$work"
mkdir "$work/program"
cp "${2:?program}" "${3:?planted DLL}" "$work/program/"
exe=$work/program/$(basename "$2")
planted=$WINEPREFIX/drive_c/planted-winspool-ran.txt
rm -f "$planted"
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winspool.drv=n,b"
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

# Prints the list in COPIES copies (as many as the option asks) and reads the paper back.
check_paper() {
  local copies=$1 pages
  shift
  print_list "$rows" "Z:$work/expected.txt" "$@"
  [ -s "$paper" ] || fail "nothing was printed"
  ps2pdf "$paper" "$work/paper.pdf"
  pages=$(pdfinfo "$work/paper.pdf" | awk '$1 == "Pages:" { print $2 }')
  [ "$pages" = $((2 * copies)) ] || fail "$pages pages printed, $((2 * copies)) expected for $copies copies"
  pdftotext -layout "$work/paper.pdf" "$work/paper.txt"

  # The expected file holds the header's fixed start, then every row's line. On paper, per
  # copy: the header first, at the top of a page (start, then the date and time without
  # leading zeros), then the rows in order; no other line, on no page, is a header.
  awk -v copies="$copies" '
    NR == FNR {
      sub(/\r$/, "")
      if (FNR == 1) start = $0
      else want[++wanted] = $0
      next
    }
    {
      if (gsub(/\f/, "")) { page++; top = 1 }
      sub(/[ \r]+$/, "")
      if ($0 == "") next
      atTop = top || FNR == 1
      top = 0
      if (copy == 0 || row == wanted) {
        date = substr($0, length(start) + 1)
        if (++copy > copies || !atTop || index($0, start) != 1 ||
            date !~ /^[0-9][0-9][0-9][0-9]\.[1-9][0-9]?\.[1-9][0-9]? (0|[1-9][0-9]?)h(0|[1-9][0-9]?)$/) {
          printf "copy %d does not begin a page with a header: \"%s\"\n", copy, $0
          failed = 1
          exit
        }
        row = 0
        next
      }
      if (index($0, start) == 1) {
        printf "a header on page %d after row %d: \"%s\"\n", page + 1, row, $0
        failed = 1
        exit
      }
      if ($0 != want[++row]) {
        printf "row %d on page %d:\n  printed  \"%s\"\n  expected \"%s\"\n", row, page + 1, $0, want[row]
        failed = 1
        exit
      }
      onPage[page + 1]++
    }
    END {
      if (failed) exit 1
      if (copy != copies || row != wanted) {
        printf "%d copies printed, the last with %d rows; %d copies of %d rows expected\n", copy, row, copies, wanted
        exit 1
      }
      for (p = 1; p in onPage; p++) rowsPerPage = rowsPerPage " " onPage[p]
      printf "print_check: %d copies, each the header and %d row lines as expected (rows per page:%s)\n",
        copies, wanted, rowsPerPage
    }
  ' "$work/expected.txt" "$work/paper.txt" || fail "the paper differs from the list"
}

check_paper 1
# Whether the driver or the program makes them, the paper holds pages 1,2,1,2 once each.
check_paper 2 --two-collated-copies

print_list "$rows" "Z:$work/expected.txt" --cancel
[ ! -e "$paper" ] || fail "printed although the dialog was cancelled"
echo "print_check: a cancelled dialog printed nothing"
[ ! -e "$planted" ] || fail "the spooler DLL planted beside the program was loaded"
echo "print_check: the spooler DLL planted beside the program was never loaded"
