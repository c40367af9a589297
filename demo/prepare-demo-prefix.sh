#!/usr/bin/env bash
# Makes a Wine prefix in which a few programs are really installed, for showing ZOBL:
#   demo/prepare-demo-prefix.sh PREFIX BUILD_DIR
# It builds the demo programs and installers into BUILD_DIR, creates PREFIX (a virtual
# desktop, no debugger on crashes), runs two NSIS installers and one MSI package, and
# writes the uninstall descriptors that no installer leaves: a stale one, a nameless
# one, two inside the Windows directory, one without an uninstall command and one for
# a program installed by copying. A marker file makes a second call cost nothing; when
# the demo's files have changed since, a prefix made by this script is made afresh.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
prefix=${1:?usage: prepare-demo-prefix.sh PREFIX BUILD_DIR}
build=${2:?usage: prepare-demo-prefix.sh PREFIX BUILD_DIR}
mkdir -p "$build"
build=$(cd "$build" && pwd)
. "$here/../cmake/wine-env.sh"
wine_env "$prefix"
prefix=$WINEPREFIX
marker=$prefix/.zobl-demo-ready

# What the prefix is made from: every file of the demo but the remote control tool.
fingerprint=$(cd "$here" && find . -path ./tools -prune -o -type f -print0 | sort -z | xargs -0 sha256sum |
  sha256sum | cut -d' ' -f1)
if [ -f "$marker" ] && [ "$(cat "$marker")" = "$fingerprint" ]; then
  exit 0
fi

# One preparation at a time; a second caller waits and then finds the prefix ready.
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
if [ -f "$marker" ] && [ "$(cat "$marker")" = "$fingerprint" ]; then
  exit 0
fi

"$here/build-demo.sh" "$build"

if [ -f "$marker" ]; then
  echo "== the demo has changed: making $prefix afresh"
  wineserver -k 2>/dev/null || true
  rm -rf "$prefix"
fi

# Wine's helper processes outlive the calls that start them and would keep our
# caller's pipes open: everything Wine prints goes to a log.
log=$build/demo-prefix.log
: >"$log"
wine_logged() { "$@" </dev/null >>"$log" 2>&1 9>&-; }
fail() {
  echo "prepare-demo-prefix: $*; Wine's output is in $log" >&2
  exit 1
}

started=$SECONDS
echo "== demo Wine prefix $prefix"
if [ ! -f "$prefix/system.reg" ]; then
  echo "   creating the prefix"
  mkdir -p "$prefix"
  wine_logged wineboot --init || fail "wineboot failed"
fi
wine_logged wine regedit /S "$(windows_path "$here/wine-settings.reg")" || fail "importing the Wine settings failed"

echo "   installing Acme Notes and Bravo Sketch (NSIS), Charlie Clock (MSI)"
for setup in acme-notes-setup.exe bravo-sketch-setup.exe; do
  wine_logged wine "$build/installers/$setup" /S || fail "$setup /S failed"
done
wine_logged wine msiexec /i "$(windows_path "$build/installers/charlie-clock.msi")" /qn || fail "msiexec failed"

echo "   writing the other descriptors and their files"
drive_c=$prefix/drive_c
hotel="$drive_c/Program Files/Hotel Atlas"
mkdir -p "$hotel/maps"
cp "$build/stage/hotel-atlas/hotel-atlas.exe" "$hotel/"
# Sparse files: large on the Windows side, nothing on the disk.
truncate -s 5G "$hotel/maps/world.map"
truncate -s 700M "$hotel/maps/europe.map"
truncate -s 96M "$hotel/maps/islands.map"
echo_runtime="$drive_c/Program Files/Common Files/Echo Runtime"
mkdir -p "$echo_runtime"
head -c 327680 /dev/zero >"$echo_runtime/echort.dll"
rm -rf "$drive_c/Program Files/Delta Paint"
wine_logged wine regedit /S "$(windows_path "$here/descriptors.reg")" || fail "importing the descriptors failed"
# A program named in another script, as a Russian setup leaves it: key, name and folder
# in Cyrillic. The registry file for it is Unicode (UTF-16 with its byte-order mark).
kilo="$drive_c/Program Files/Кило"
mkdir -p "$kilo"
head -c 1258291 /dev/zero >"$kilo/kilo.exe"
head -c 40000 /dev/zero >"$kilo/uninst.exe"
iconv -f UTF-8 -t UTF-16 >"$build/unicode-descriptors.reg" <<'EOF'
Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\КалькуляторКило]
"DisplayName"="Калькулятор Кило 2"
"Publisher"="Кило Софт"
"UninstallString"="\"C:\\Program Files\\Кило\\uninst.exe\" /S"

EOF
wine_logged wine regedit /S "$(windows_path "$build/unicode-descriptors.reg")" || fail "importing the Cyrillic descriptor failed"

# Wine gives a folder's modification time as its creation time, which ZOBL shows as
# the installation date: spread the dates a little.
touch -m -d '2024-03-14 10:20' "$drive_c/Program Files/Acme Notes"
touch -m -d '2025-06-02 16:45' "$drive_c/Program Files/Bravo/Sketch"
touch -m -d '2025-11-28 09:05' "$drive_c/Program Files/Charlie Clock"
touch -m -d '2019-11-20 14:30' "$hotel"
touch -m -d '2023-01-09 08:00' "$echo_runtime"
touch -m -d '2022-09-30 18:10' "$kilo"

# The registry reaches the disk when the server exits.
wineserver -w

uninstall='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall'
listing=$(wine reg query "$uninstall" /s </dev/null 2>>"$log" 9>&- | tr -d '\r') || fail "reading the Uninstall key failed"
for key in AcmeNotes 'Bravo Sketch 2' '{A78279E5-BC3E-4A86-BA57-F72C3E649FFC}' DeltaPaint \
  '{620FA8BF-1A04-4E0A-A6ED-15BA850B95BA}' FoxtrotFonts IndiaCodecs GolfRuntime HotelAtlas; do
  grep -qxF "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$key" <<<"$listing" ||
    fail "the descriptor $key is missing"
done
wineserver -w
echo "$fingerprint" >"$marker"
echo "   ready in $((SECONDS - started)) s"
