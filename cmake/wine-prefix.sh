#!/usr/bin/env bash
# Creates, starts and stops the Wine prefix that tests and the demo run in.
#   wine-prefix.sh ensure PREFIX   create the prefix once, start a lingering wineserver, warm it
#   wine-prefix.sh start PREFIX    create the prefix once and start a lingering wineserver
#                                  when none runs (no warm-up: what each test run does)
#   wine-prefix.sh create PREFIX   create the prefix once, leaving nothing running
#   wine-prefix.sh pin PREFIX CPU  restart that prefix's wineserver pinned to one core and
#                                  warm it (for benchmarks; run programs with taskset too)
#   wine-prefix.sh stop PREFIX     stop that prefix's wineserver
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
action=${1:?action}
wine_env "${2:?prefix}"

reg() { wine_quiet wine reg add "$@" /f; }

# Creates the prefix once; a second caller waits until the first has made it.
create() {
  mkdir -p "$WINEPREFIX"
  exec 9>"$WINEPREFIX.lock"
  flock 9
  if [ ! -f "$WINEPREFIX/.zobl-ready" ]; then
    wine_quiet wineboot --init
    # A virtual desktop makes every dialog ~50 times cheaper when no window manager runs.
    reg 'HKCU\Software\Wine\Explorer' /v Desktop /d Default
    reg 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024
    # A crashing program exits instead of waiting in the debugger.
    reg 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Auto /d 0
    wine_quiet wineserver -w
    touch "$WINEPREFIX/.zobl-ready"
  fi
  exec 9>&-
}

case $action in
ensure | start)
  [ -f "$WINEPREFIX/.zobl-ready" ] || create
  # A lingering server spares each test Wine's start-up (it exits a minute after its
  # last client); a second start while one runs is refused harmlessly. The warm-up only
  # saves time: when it fails (a server going down as another comes up), the program
  # that follows starts Wine itself and says so if it cannot.
  wine_quiet setsid wineserver -p60 || true
  [ "$action" = start ] || wine_quiet wine cmd /c exit || true
  ;;
create)
  [ -f "$WINEPREFIX/.zobl-ready" ] || create
  ;;
pin)
  cpu=${3:?cpu}
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  # Wine's helper processes started by the warm-up inherit the pinning.
  wine_quiet taskset -c "$cpu" setsid wineserver -p60 || true
  wine_quiet taskset -c "$cpu" wine cmd /c exit
  ;;
stop)
  [ -d "$WINEPREFIX" ] && wineserver -k 2>/dev/null || true
  ;;
*)
  echo "unknown action: $action" >&2
  exit 2
  ;;
esac
