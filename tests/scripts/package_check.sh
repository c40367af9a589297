#!/usr/bin/env bash
# Checks the release package: the zip holds exactly the program, its About text and its
# picture, and the program unpacked from it starts under Wine and lists the programs of
# the prefix (two descriptors planted here, one for the machine and one for the user).
#   package_check.sh PREFIX ZIP REMOTE   PREFIX: a Wine prefix of this test's own;
#                                        REMOTE: zobl_remote.exe; needs $DISPLAY
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
. "$root/cmake/wine-env.sh"
. "$root/cmake/at-exit.sh"
wine_env "${1:?prefix}"
zip=${2:?zip}
remote=${3:?zobl_remote.exe}
fail() {
  echo "package_check: $*" >&2
  exit 1
}
kill_if_running() { ! kill -0 "$1" 2>/dev/null || kill "$1" 2>/dev/null || true; }
[ -f "$zip" ] || fail "$zip is missing: build the target package first"
[ -n "${DISPLAY:-}" ] || fail "the program needs a screen: set DISPLAY"

contents=$(unzip -Z1 "$zip" | sort | tr '\n' ' ')
[ "$contents" = "MARLO192.FON readme.txt zobl-cli.exe zobl.exe " ] || fail "the zip holds: $contents"

work=$(mktemp -d)
at_exit rm -rf "$work"
unzip -q "$zip" -d "$work/zobl"

"$root/cmake/wine-prefix.sh" ensure "$WINEPREFIX"
at_exit "$root/cmake/wine-prefix.sh" stop "$WINEPREFIX"
uninstall='SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall'
wine_quiet wine reg add "HKLM\\$uninstall\\ZoblPackageMachine" /v DisplayName /d "Package Check Machine" /f
wine_quiet wine reg add "HKCU\\$uninstall\\ZoblPackageUser" /v DisplayName /d "Package Check User" /f
at_exit wine_quiet wine reg delete "HKLM\\$uninstall\\ZoblPackageMachine" /f
at_exit wine_quiet wine reg delete "HKCU\\$uninstall\\ZoblPackageUser" /f

# What the prefix has: every display name in the three places the program reads.
for key in "HKLM\\$uninstall" "HKLM\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall" \
  "HKCU\\$uninstall"; do
  wine reg query "$key" /s /v DisplayName </dev/null 2>/dev/null 9>&- || true
done | tr -d '\r' | sed -n 's/^ *DisplayName *REG_[A-Z_]*SZ *//p' | sort -u >"$work/expected"
grep -qx "Package Check User" "$work/expected" || fail "the planted descriptors are not in the registry"

(cd "$work/zobl" && exec wine ./zobl.exe) </dev/null >"$work/program.log" 2>&1 &
program=$!
at_exit kill_if_running "$program"

wine "$remote" wait 60 </dev/null 9>&- || fail "the window did not appear: $(cat "$work/program.log")"
wine "$remote" names </dev/null 9>&- | tr -d '\r' | sort -u >"$work/listed" || fail "cannot read the list"
diff -u "$work/expected" "$work/listed" || fail "the list differs from the prefix's programs"
wine "$remote" quit </dev/null 9>&- || fail "cannot click \"Quit ZOBL\""
status=0
timeout 30 tail --pid="$program" -f /dev/null || fail "the program did not end after \"Quit ZOBL\""
wait "$program" || status=$?
[ "$status" -eq 0 ] || fail "the program ended with exit code $status"
echo "package_check: $(wc -l <"$work/listed") programs listed by the unpacked zobl.exe, as in the prefix"
