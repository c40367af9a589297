#!/usr/bin/env bash
# Runs zobl-cli.exe as scripts and fleet engines run it, under Wine: its usage, its exit
# codes, the inventory on standard output as CSV (no byte-order mark) and as JSON, a file
# written whole or left as it was.
#   console_check.sh PREFIX EXE
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
. "$root/cmake/at-exit.sh"
. "$root/cmake/wine-env.sh"
wine_env "${1:?prefix}"
cli=${2:?zobl-cli.exe}
"$root/cmake/wine-prefix.sh" ensure "$WINEPREFIX"

work=$(mktemp -d)
at_exit rm -rf "$work"
fail() {
  echo "console_check: $*" >&2
  exit 1
}
# run EXPECTED_STATUS ARGS...: standard output in $work/out, standard error in $work/err.
run() {
  local expected=$1 status=0
  shift
  timeout 60 wine "$cli" "$@" </dev/null >"$work/out" 2>"$work/err" || status=$?
  [ "$status" -eq "$expected" ] || fail "zobl-cli $* ended with $status, not $expected: $(cat "$work/err")"
}

key="~ZoblConsole$$"
uninstall='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall'
wine_quiet wine reg add "$uninstall\\$key" /v DisplayName /d '=HYPERLINK("x")' /f
at_exit wine_quiet wine reg delete "$uninstall\\$key" /f
wine_quiet wine reg add "$uninstall\\$key" /v UninstallString /d 'C:\nowhere\un.exe /x' /f

run 0 /?
grep -q '^Usage: zobl-cli.exe /list' "$work/out" && [ ! -s "$work/err" ] || fail "/? does not print the usage alone"
for arguments in "" "/window" "/export" "/list /list"; do
  # shellcheck disable=SC2086 # the arguments are words
  run 2 $arguments
  [ ! -s "$work/out" ] && grep -q '^Usage: zobl-cli.exe' "$work/err" || fail "\"$arguments\" does not give the usage"
done

# The CSV of the export, without the mark a file for a spreadsheet begins with; the
# formula shown as text.
run 0 /list
[ "$(head -c 3 "$work/out" | od -An -tx1 | tr -d ' ')" = 4e616d ] || fail "the list does not begin with its header"
grep -qF "\"'=HYPERLINK(\"\"x\"\")\",\"$key\",\"HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$key\"," \
  "$work/out" || fail "the descriptor's line is not in the list: $(cat "$work/out")"

# JSON: every text exact.
run 0 /list /json
for line in '"computer": "' '"exported": "20' '"name": "=HYPERLINK(\"x\")",' "\"keyName\": \"$key\"," \
  '"source": "user",' '"command": "C:\\nowhere\\un.exe /x",' '"sizeBytes": null,'; do
  grep -qF -- "$line" "$work/out" || fail "the JSON has no $line: $(cat "$work/out")"
done

# A file, whole or not at all, through a pending file of the run's own: files and folders
# named as a pending file might be are left alone; a folder or a device in its place
# cannot be replaced.
# A name of 255 characters, the longest a folder takes, can be written too.
echo "the user's own" >"$work/~zobl.0000000f.tmp"
mkdir "$work/~zobl.tmp"
long=$(printf 'i%.0s' {1..250}).json
run 0 /export "$(windows_path "$work/$long")" /json /sizes
cmp -s "$work/out" /dev/null && grep -qF '"sizeText": "unknown",' "$work/$long" || fail "no JSON file written"
[ "$(cat "$work/~zobl.0000000f.tmp")" = "the user's own" ] && [ -d "$work/~zobl.tmp" ] ||
  fail "a file beside the export was touched"
[ "$(find "$work" -maxdepth 1 -name '~zobl.*' | wc -l)" -eq 2 ] || fail "a pending file was left behind"
mv "$work/$long" "$work/inventory.json"
mkdir "$work/taken" "$work/taken.new"
run 3 /export "$(windows_path "$work/taken")"
grep -q 'folder' "$work/err" && [ -d "$work/taken.new" ] || fail "a folder as the file: $(cat "$work/err")"
run 3 /export NUL
grep -q 'device' "$work/err" || fail "NUL as the file: $(cat "$work/err")"

# A link to the Users folder leads to profiles, no program's folder.
link="$WINEPREFIX/drive_c/zobl-users-$$"
ln -s "$WINEPREFIX/drive_c/users" "$link"
at_exit rm -f "$link"
wine_quiet wine reg add "$uninstall\\$key" /v UninstallString /d "C:\\zobl-users-$$\\Public /x" /f
run 0 /list /json
grep -qF '"directory": null' "$work/out" || fail "a profile through a link was taken as a folder: $(cat "$work/out")"
# Where the process's code page is not UTF-8 (Windows before 10 version 1903): a copy whose
# manifest names a code page that does not exist runs in the ANSI one (1252 here). Key
# name, name and publisher in Greek and Chinese come out exact, into a file so named.
perl -pe 's{>UTF-8</activeCodePage>}{>UTF-0</activeCodePage>}' "$cli" >"$work/zobl-cli-ansi.exe"
! cmp -s "$cli" "$work/zobl-cli-ansi.exe" || fail "the manifest's code page was not found in $cli"
greek=$(printf '\316\251mega \344\270\255\346\226\207')  # "Ωmega 中文"
greek_key="HKEY_CURRENT_USER\\${uninstall#HKCU\\}\\$key$greek"
# A Unicode registry file, as reg import reads names in any script.
reg_file() { { printf '\377\376'; printf 'Windows Registry Editor Version 5.00\r\n\r\n%s\r\n' "$@" |
  iconv -f UTF-8 -t UTF-16LE; } >"$work/greek.reg"; wine_quiet wine reg import "$(windows_path "$work/greek.reg")"; }
reg_file "[$greek_key]" "\"DisplayName\"=\"$greek\"" "\"Publisher\"=\"$greek Soft\""
at_exit reg_file "[-$greek_key]"
ansi_file="$work/$greek.json"
LC_ALL=C.utf8 timeout 60 wine "$work/zobl-cli-ansi.exe" /export "$(windows_path "$ansi_file")" /json </dev/null \
  >"$work/out" 2>"$work/err" || fail "the ANSI copy ended with $?: $(cat "$work/err")"
[ -f "$ansi_file" ] || fail "the file named in Greek and Chinese is missing: $(ls "$work")"
for line in "\"name\": \"$greek\"," "\"keyName\": \"$key$greek\"," "\"publisher\": \"$greek Soft\","; do
  grep -qF -- "$line" "$ansi_file" || fail "the ANSI copy's JSON has no $line: $(cat "$ansi_file")"
done

echo "console_check: usage, exit codes, the list as CSV and JSON, the file written whole, no profile through a link"
