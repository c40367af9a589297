#!/usr/bin/env bash
# Runs a Windows program under Wine in the given prefix (CMake's cross-compiling emulator).
#   wine-run.sh PREFIX PROGRAM [ARGS...]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/wine-env.sh"
wine_env "${1:?prefix}"
shift
"$here/wine-prefix.sh" ensure "$WINEPREFIX" || echo "wine-run.sh: preparing $WINEPREFIX failed" >&2
exec wine "$@"
