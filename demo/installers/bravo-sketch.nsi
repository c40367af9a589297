; Installer of the demo program "Bravo Sketch" (64-bit, silent with /S).
; makensis -DSTAGE=<folder with the files to ship> -DOUTFILE=<setup.exe> bravo-sketch.nsi
Target amd64-unicode
!define PRODUCT "Bravo Sketch"
!define VERSION "2.0.7"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Bravo Sketch 2"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Bravo\Sketch"
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
  File "${STAGE}\bravo-sketch.exe"
  SetOutPath "$INSTDIR\brushes"
  File "${STAGE}\brushes\*.brush"
  SetOutPath "$INSTDIR\samples"
  File "${STAGE}\samples\*.sketch"
  WriteUninstaller "$INSTDIR\Uninstall Bravo Sketch.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} ${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Bravo Graphics"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall Bravo Sketch.exe"'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
SectionEnd

Section "Uninstall"
  RMDir /r "$INSTDIR\brushes"
  RMDir /r "$INSTDIR\samples"
  Delete "$INSTDIR\bravo-sketch.exe"
  Delete "$INSTDIR\Uninstall Bravo Sketch.exe"
  RMDir "$INSTDIR"
  RMDir "$INSTDIR\.."
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
