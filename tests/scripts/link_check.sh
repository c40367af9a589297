#!/usr/bin/env bash
# What an elevated window acts on is what it checked, against links planted from the Unix
# side (Wine's programs cannot make them): ZOBL-removed.reg as a link to a registry file,
# or as a second name of one, is refused and that file left as it was; Open Folder on a
# link that is renamed away and back all the while never runs the program named like
# the folder plus ".exe" beside it.
#   link_check.sh PREFIX LINK_PROBE PLANTED_PROGRAM
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
. "$root/cmake/at-exit.sh"
. "$root/cmake/wine-env.sh"
wine_env "${1:?prefix}"
probe=${2:?link_probe.exe}
planted=${3:?a program that leaves "<its path>.ran"}
"$root/cmake/wine-prefix.sh" ensure "$WINEPREFIX"

scratch=$(mktemp -d "$WINEPREFIX/drive_c/zobl-link.XXXXXX")
at_exit rm -rf "$scratch"
win="C:\\$(basename "$scratch")"
fail() {
  echo "link_check: $*" >&2
  exit 1
}
# append NAME EXPECTED_STATUS: the probe's append to $scratch/NAME.
append() {
  local status=0
  timeout 60 wine "$probe" append "$win\\$1" </dev/null >/dev/null 2>&1 || status=$?
  [ "$status" -eq "$2" ] || fail "appending to $1 ended with $status, not $2"
}

{
  printf '\xff\xfe'
  printf 'Windows Registry Editor Version 5.00\r\n\r\n; the victim\r\n' | iconv -f UTF-8 -t UTF-16LE
} >"$scratch/victim.reg"
cp "$scratch/victim.reg" "$scratch/expected.reg"
mkdir "$scratch/symbolic" "$scratch/hard" "$scratch/own" "$scratch/other"
ln -s ../victim.reg "$scratch/symbolic/ZOBL-removed.reg"
ln "$scratch/victim.reg" "$scratch/hard/ZOBL-removed.reg"
cp "$scratch/victim.reg" "$scratch/own/ZOBL-removed.reg"
append 'symbolic\ZOBL-removed.reg' 12  # a link
append 'hard\ZOBL-removed.reg' 13      # a file with other names
printf 'PK\3\4' >"$scratch/other/ZOBL-removed.reg"
append 'other\ZOBL-removed.reg' 14     # no registry file
cmp -s "$scratch/victim.reg" "$scratch/expected.reg" || fail "the file behind the link was written"
append 'own\ZOBL-removed.reg' 0
[ "$(stat -c %s "$scratch/own/ZOBL-removed.reg")" -gt "$(stat -c %s "$scratch/victim.reg")" ] ||
  fail "a registry file of its own was not appended to"

# The shell opens the folders it is handed in windows of its own; they go with the check.
close_windows() {
  local pid
  for pid in $(pgrep -f "explorer\.exe .*$(basename "$scratch")"); do kill "$pid" 2>/dev/null || true; done
}
at_exit close_windows
mkdir "$scratch/target"
ln -s target "$scratch/Acme"
cp "$planted" "$scratch/Acme.exe"
(
  cd "$scratch"
  # Missing for a moment now and then: most choices find the folder and hand it to the
  # shell while the name comes and goes.
  while :; do
    mv -T Acme Acme.away 2>/dev/null || true
    mv -T Acme.away Acme 2>/dev/null || true
    sleep 0.01
  done
) &
renaming=$!
at_exit kill "$renaming"
opened=$(timeout 300 wine "$probe" open "$win\\Acme" 40 </dev/null 2>/dev/null | tr -d '\r')
kill "$renaming"
echo "link_check: Open Folder: $opened of 40, the link renamed all the while"
[ ! -e "$scratch/Acme.exe.ran" ] || fail "Open Folder ran the program beside the folder"
[ "$opened" != "opened 0" ] || fail "Open Folder never opened the folder: nothing was tried"
echo "link_check: passed"
