# Sourced by the printing tests, after `root` is set, `wine_env` has run and
# cmake/at-exit.sh is loaded: the prefix's printer becomes a private CUPS-PDF queue whose
# PostScript goes to a file, and both are stopped at exit.
#   printing_prefix_start WORK PAPER   the print server lives in WORK/printer; what is
#                                      printed lands in PAPER before EndDoc returns

printing_prefix_start() {
  local work=$1 paper=$2 printer_env
  at_exit "$root/cmake/print-server.sh" stop "$work/printer"
  at_exit "$root/cmake/wine-prefix.sh" stop "$WINEPREFIX"
  # Wine lists the printers that exist when its server starts: a server still running
  # from before would not know this one.
  "$root/cmake/wine-prefix.sh" stop "$WINEPREFIX"
  [ ! -d "$WINEPREFIX" ] || wineserver -w
  printer_env=$("$root/cmake/print-server.sh" start "$work/printer") || {
    echo "the print server did not start" >&2
    return 1
  }
  eval "$printer_env"
  "$root/cmake/wine-prefix.sh" ensure "$WINEPREFIX"
  wine_quiet wine reg add 'HKCU\Software\Wine\Printing\Spooler' /v CUPS:CUPS-PDF /d "$paper" /f || {
    echo "cannot redirect the queue to $paper" >&2
    return 1
  }
}
