; Installer of the demo program "Acme Notes" (64-bit, silent with /S).
; makensis -DSTAGE=<folder with the files to ship> -DOUTFILE=<setup.exe> acme-notes.nsi
Target amd64-unicode
!define PRODUCT "Acme Notes"
!define VERSION "1.4.2"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\AcmeNotes"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Function .onInit
  SetRegView 64
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "Program"
  SetOutPath "$INSTDIR"
  File "${STAGE}\acme-notes.exe"
  SetOutPath "$INSTDIR\notes"
  File "${STAGE}\notes\*.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  ; The program's settings, which the uninstaller leaves behind as many real ones do.
  WriteINIStr "$INSTDIR\settings.ini" "Window" "Width" "640"
  WriteINIStr "$INSTDIR\settings.ini" "Window" "Height" "480"
  WriteINIStr "$INSTDIR\settings.ini" "Notes" "Folder" "$INSTDIR\notes"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Acme Demo Software"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\acme-notes.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  Delete "$INSTDIR\notes\*.txt"
  RMDir "$INSTDIR\notes"
  Delete "$INSTDIR\acme-notes.exe"
  Delete "$INSTDIR\uninstall.exe"
  ; settings.ini stays, and with it the folder.
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
