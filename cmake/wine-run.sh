#!/usr/bin/env bash
# Runs a Windows program under Wine in the given prefix (CMake's cross-compiling emulator).
#   wine-run.sh PREFIX PROGRAM [ARGS...]
# Rarely, under load, a program fails here without printing a byte. Every program run
# this way prints before it can fail, so that one never ran: Wine's start failed. It is
# started once more, and the restart noted in PREFIX.restarts.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/wine-env.sh"
. "$here/at-exit.sh"
# Wine's own errors stay on: a program that dies before printing a word leaves them.
export WINEDEBUG=${WINEDEBUG:--all,err+all}
wine_env "${1:?prefix}"
shift
# The prefix is warmed once per test run (the CTest fixture wine_prefix); here it is only
# made when missing, and its server started again when it has gone.
"$here/wine-prefix.sh" start "$WINEPREFIX" || echo "wine-run.sh: preparing $WINEPREFIX failed" >&2

printed=$(mktemp)
at_exit rm -f "$printed"
for attempt in 1 2; do
  set +e
  wine "$@" | tee "$printed"
  status=${PIPESTATUS[0]}
  set -e
  # A test program returns 0 or 1; anything else is a crash, a kill or Wine failing.
  if ((status > 1)); then
    echo "wine-run.sh: $(basename "$1") ended with status $status at $(date +%T.%N)" >&2
  fi
  if ((status == 0 || attempt == 2)) || [ -s "$printed" ]; then
    exit "$status"
  fi
  echo "wine-run.sh: Wine ended $(basename "$1") before it printed anything; starting it again" >&2
  echo "$(date +%FT%T) $* (status $status)" >>"$WINEPREFIX.restarts"
done
