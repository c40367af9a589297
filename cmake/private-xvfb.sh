# Sourced by the project's scripts: a private X screen, stopped again when the script ends.
#   private_xvfb_start [WIDTHxHEIGHT]   starts Xvfb on a free display, waits until it
#                                       accepts clients and exports DISPLAY; fails with a
#                                       message when the screen does not come up
#   private_xvfb_dpi DPI                the screen's resolution for the next start (96 if unset)

. "$(dirname "${BASH_SOURCE[0]}")/at-exit.sh"

private_xvfb_start() {
  local size=${1:-1280x1024} ready pid display=
  ready=$(mktemp)
  # Xvfb picks a free display itself and writes its number once it accepts clients.
  Xvfb -displayfd 3 -screen 0 "${size}x24" -dpi "${zobl_xvfb_dpi:-96}" -nolisten tcp \
    3>"$ready" </dev/null >/dev/null 2>&1 &
  pid=$!
  at_exit private_xvfb_stop "$pid"
  for _ in $(seq 300); do
    display=$(head -n1 "$ready")
    [ -z "$display" ] || break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$ready"
  if [ -z "$display" ]; then
    echo "Xvfb did not start (is the package xvfb installed?)" >&2
    return 1
  fi
  export DISPLAY=:$display
}

private_xvfb_dpi() { zobl_xvfb_dpi=$1; }

private_xvfb_stop() {
  kill "$1" 2>/dev/null || return 0
  wait "$1" 2>/dev/null || true
}
