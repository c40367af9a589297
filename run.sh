#!/usr/bin/env bash
# The project's run command: installs what is missing, builds zobl.exe, prepares a Wine
# prefix and a working directory, and opens the program.
#
#   ./run.sh                          demo prefix build/demo-prefix, with programs
#                                     really installed in it by their own installers
#   ZOBL_WINEPREFIX=~/.wine ./run.sh  your own Wine prefix instead (nothing is installed
#                                     into it; the program only runs there)
#
# The program runs in build/run, which holds its ZOBL.INI, readme.txt and MARLO192.FON.
# In the demo prefix its printer is a private CUPS-PDF queue: what it prints lands as PDF
# in build/run/printed.
# With a reachable X display ($DISPLAY) the program simply runs until you close it.
# Without one, a private Xvfb screen is started, the program is shown until its list is
# filled, a screenshot is saved (its path is printed), the program is closed through its
# "Quit ZOBL" button, and everything that was started is stopped again.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
root=$PWD
exe=$root/build/win64-program/src/app/zobl.exe
rundir=$root/build/run
demo_build=$root/build/demo
log=$rundir/wine.log

say() { echo "== $*"; }
die() {
  echo "run.sh: $*" >&2
  exit 1
}
kill_if_running() { ! kill -0 "$1" 2>/dev/null || kill "$1" 2>/dev/null || true; }

# --- Packages --------------------------------------------------------------------------
cmake/ensure-packages.sh wine64 wine g++-mingw-w64-x86-64-posix cmake xvfb imagemagick xdotool nlohmann-json3-dev \
  nsis wixl cups printer-driver-cups-pdf
. cmake/wine-env.sh
. cmake/private-xvfb.sh

# --- Build -----------------------------------------------------------------------------
say "building zobl.exe"
cmake --preset win64-program >/dev/null
cmake --build --preset win64-program --target zobl -j2
[ -f "$exe" ] || die "the build did not produce $exe"

# --- Wine prefix -----------------------------------------------------------------------
if [ -n "${ZOBL_WINEPREFIX:-}" ]; then
  prefix=$(realpath -m "$ZOBL_WINEPREFIX")
  own_prefix=
  say "using your Wine prefix $prefix"
else
  prefix=$root/build/demo-prefix
  own_prefix=1
  demo/prepare-demo-prefix.sh "$prefix" "$demo_build"
fi
wine_env "$prefix"

# --- Working directory -----------------------------------------------------------------
mkdir -p "$rundir"
# Settings the user changed in an earlier run are kept.
[ -f "$rundir/ZOBL.INI" ] || printf 'DetailedList=1\r\nDisplayTexture=1\r\n' >"$rundir/ZOBL.INI"
cp assets/readme.txt assets/MARLO192.FON "$rundir/"
: >"$log"

# --- Printer (demo prefix only) --------------------------------------------------------
if [ -n "$own_prefix" ]; then
  # Wine lists only the printers that exist when its server starts: a server still
  # running from before would not know this one.
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  printer=$rundir/printer
  at_exit "$root/cmake/print-server.sh" stop "$printer"
  printer_env=$("$root/cmake/print-server.sh" start "$printer" "$rundir/printed") ||
    die "the demo's print server did not start"
  eval "$printer_env"
  say "printer CUPS-PDF: printed lists land in $rundir/printed"
fi

# --- With a screen: run in the foreground ----------------------------------------------
if [ -n "${DISPLAY:-}" ] && xdotool getdisplaygeometry >/dev/null 2>&1; then
  say "starting ZOBL Quillmoor 2.0 on $DISPLAY (Wine's output goes to $log)"
  cd "$rundir"
  # Wine's helper processes would keep our pipes open after the program has ended.
  status=0
  wine "$exe" </dev/null >>"$log" 2>&1 || status=$?
  exit "$status"
fi

# --- Without a screen: Xvfb, screenshot, quit ------------------------------------------
[ -z "${DISPLAY:-}" ] || say "display $DISPLAY cannot be reached: using a private screen"
"$root/demo/build-demo.sh" "$demo_build" >/dev/null
remote=$demo_build/tools/zobl_remote.exe

if [ -n "$own_prefix" ]; then
  at_exit wineserver -k
else
  # Someone else's prefix: let its server end by itself, never kill it.
  at_exit timeout 10 wineserver -w
fi
private_xvfb_start || die "no private screen"

say "starting ZOBL Quillmoor 2.0 on the private screen $DISPLAY"
(cd "$rundir" && exec wine "$exe") </dev/null >>"$log" 2>&1 &
program_pid=$!
at_exit kill_if_running "$program_pid"

# Waits until the window is shown and its list has stopped growing.
if ! wine "$remote" wait 60 </dev/null 2>>"$log"; then
  kill -0 "$program_pid" 2>/dev/null || die "zobl.exe ended before its window appeared (see $log)"
  import -window root "$rundir/screenshot-failed.png" || true
  die "the window \"ZOBL Quillmoor 2.0\" did not appear; the screen is in $rundir/screenshot-failed.png"
fi
sleep 1 # the last repaints
screenshot=$rundir/screenshot.png
import -window root "$screenshot"
echo "screenshot: $screenshot"

say "closing the program through \"Quit ZOBL\""
wine "$remote" quit </dev/null 2>>"$log" || die "could not click \"Quit ZOBL\""
for _ in $(seq 300); do
  kill -0 "$program_pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$program_pid" 2>/dev/null && die "zobl.exe did not end within 30 s of \"Quit ZOBL\""
status=0
wait "$program_pid" || status=$?
[ "$status" -eq 0 ] || die "zobl.exe ended with exit code $status"
say "zobl.exe ended with exit code 0"
