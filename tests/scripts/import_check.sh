#!/usr/bin/env bash
# Checks that each program imports only DLLs that Windows takes from its system directory
# whatever the search order: the known DLLs, and comctl32, which the manifest binds to
# the system's side-by-side copy. Any other DLL in an import table is looked for first in
# the program's own folder, where a planted copy would run at every start.
#   import_check.sh PROGRAM.exe...
set -euo pipefail
# Windows 7's list of known DLLs, which later versions only extend (lower case), but for
# comdlg32: it imports the spooler's DLL by name, which is then looked for beside the
# program too (under Wine with the search order of Windows, it is).
known="advapi32.dll clbcatq.dll difxapi.dll gdi32.dll imagehlp.dll imm32.dll
kernel32.dll lpk.dll msctf.dll msvcrt.dll normaliz.dll nsi.dll ole32.dll oleaut32.dll
psapi.dll rpcrt4.dll sechost.dll setupapi.dll shell32.dll shlwapi.dll urlmon.dll user32.dll
usp10.dll wininet.dll wldap32.dll ws2_32.dll iertutil.dll devobj.dll cfgmgr32.dll
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
