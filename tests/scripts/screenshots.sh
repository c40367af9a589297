#!/usr/bin/env bash
# Screenshots of the window's four tabs at the screen resolutions the layout must hold at,
# for a person to look at:
#   tests/scripts/screenshots.sh OUTDIR [DPI...]      (DPI: 96 120 144 unless given)
# writes OUTDIR/zobl-<dpi>dpi-<n>-<tab>.png. The program runs maximized on a private
# 1280 x 1024 screen, in a demo prefix of this script's own (build/screenshot-prefix,
# made like run.sh's demo prefix: real programs installed), whose LogPixels setting is
# the resolution Wine gives the program. The sizes are computed first, so that the list
# shows them and the pie is drawn; tabs are switched with Ctrl+PageDown.
# ZOBL_EXE=path/zobl.exe takes that program instead of building build/win64-program.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../.."
root=$PWD
out=$(realpath -m "${1:?usage: screenshots.sh OUTDIR [DPI...]}")
shift
dpis=("$@")
((${#dpis[@]})) || dpis=(96 120 144)
tabs=(list pie options about)
exe=${ZOBL_EXE:-$root/build/win64-program/src/app/zobl.exe}
demo_build=$root/build/demo
remote=$demo_build/tools/zobl_remote.exe

cmake/ensure-packages.sh wine64 wine g++-mingw-w64-x86-64-posix cmake xvfb imagemagick nsis wixl
. cmake/wine-env.sh
. cmake/private-xvfb.sh

if [ -z "${ZOBL_EXE:-}" ]; then
  cmake --preset win64-program >/dev/null
  cmake --build --preset win64-program --target zobl -j2 >/dev/null
fi
demo/prepare-demo-prefix.sh "$root/build/screenshot-prefix" "$demo_build"
demo/build-demo.sh "$demo_build" >/dev/null
wine_env "$root/build/screenshot-prefix"
at_exit wineserver -k
private_xvfb_start

work=$(mktemp -d)
at_exit rm -rf "$work"
cp assets/readme.txt assets/MARLO192.FON "$work/"
mkdir -p "$out"
log=$out/wine.log
: >"$log"

for dpi in "${dpis[@]}"; do
  printf 'DetailedList=1\r\nDisplayTexture=1\r\n' >"$work/ZOBL.INI"
  wine_quiet wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f
  # Every process of the prefix, the desktop's included, reads the resolution as it starts.
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  (cd "$work" && exec wine "$exe") </dev/null >>"$log" 2>&1 &
  program=$!
  wine "$remote" wait 60 </dev/null >/dev/null 2>>"$log"
  # Sizes for the list's size column and for the pie.
  wine "$remote" compute </dev/null 2>>"$log"
  for i in "${!tabs[@]}"; do
    wine "$remote" tab "$i" </dev/null 2>>"$log"
    sleep 1 # the page's last repaints: nothing tells when they are done
    shot=$out/zobl-${dpi}dpi-$i-${tabs[$i]}.png
    import -window root "$shot"
    echo "$shot"
  done
  wine "$remote" quit </dev/null 2>>"$log"
  wait "$program"
done
