#!/usr/bin/env bash
# Runs a Windows program under Wine in the given prefix (CMake's cross-compiling emulator).
#   wine-run.sh PREFIX PROGRAM [ARGS...]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/wine-env.sh"
# Wine's own errors stay on: a program that dies before printing a word leaves them.
export WINEDEBUG=${WINEDEBUG:--all,err+all}
wine_env "${1:?prefix}"
shift
"$here/wine-prefix.sh" ensure "$WINEPREFIX" || echo "wine-run.sh: preparing $WINEPREFIX failed" >&2
status=0
wine "$@" || status=$?
# A test program returns 0 or 1; anything else is a crash, a kill or Wine failing.
if ((status > 1)); then
  echo "wine-run.sh: $(basename "$1") ended with status $status at $(date +%T.%N)" >&2
fi
exit "$status"
