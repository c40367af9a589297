#!/usr/bin/env bash
# Checks that each program imports only DLLs that Windows takes from its system directory
# whatever the search order: the known DLLs, and comctl32, which the manifest binds to
# the system's side-by-side copy. Any other DLL in an import table is looked for first in
# the program's own folder, where a planted copy would run at every start.
#   import_check.sh PROGRAM.exe...
set -euo pipefail
# The known DLLs of Windows 7 and of Windows 10 alike (lower case): a DLL known on one
# only (urlmon, wininet, usp10, lpk, ... on 7; combase, comdlg32, shcore, ... on 10) is
# looked for beside the program on the other. comctl32 is bound by the manifest.
known="advapi32.dll clbcatq.dll difxapi.dll gdi32.dll imagehlp.dll imm32.dll kernel32.dll
msctf.dll msvcrt.dll normaliz.dll nsi.dll ole32.dll oleaut32.dll psapi.dll rpcrt4.dll
sechost.dll setupapi.dll shell32.dll shlwapi.dll user32.dll wldap32.dll ws2_32.dll
ntdll.dll comctl32.dll"
status=0
for program in "$@"; do
  imports=$(x86_64-w64-mingw32-objdump -p "$program" | sed -n 's/^\tDLL Name: //p' | tr 'A-Z' 'a-z')
  [ -n "$imports" ] || { echo "import_check: no import table read from $program" >&2; status=1; }
  for dll in $imports; do
    if ! tr ' ' '\n' <<<"$known" | grep -qxF -- "$dll"; then
      echo "import_check: $(basename "$program") imports $dll, which Windows may load from the program's folder" >&2
      status=1
    fi
  done
done
exit "$status"
