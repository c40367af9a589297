# Sourced by the project's scripts: the environment every Wine call of the project runs in.
#   wine_env PREFIX       exports WINEPREFIX (made absolute, as Wine needs) and the rest
#   windows_path PATH     the Windows name of a Unix path (Wine maps / to drive Z:)
#   wine_quiet CMD...     runs a Wine command whose helper processes must not keep the
#                         caller's pipes or lock descriptors open

wine_env() {
  WINEPREFIX=$(realpath -m "${1:?a Wine prefix}")
  export WINEPREFIX
  export WINEARCH=win64
  export WINEDEBUG=${WINEDEBUG:--all}
  # No debugger window on a crash, and no Mono or Gecko installer on a new prefix.
  export WINEDLLOVERRIDES="winedbg.exe=d;mscoree,mshtml="
}

windows_path() { printf 'Z:%s' "${1//\//\\}"; }

wine_quiet() { "$@" </dev/null >/dev/null 2>&1 9>&-; }
