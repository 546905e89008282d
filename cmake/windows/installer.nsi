; The Windows installer of KDW PC Encoder, made by makensis from the staged
; program directory (cmake/windows/package.cmake passes VERSION, SOURCE, OUTFILE).
; A 64-bit installer, as the program is: it runs where the program can.
Target amd64-unicode
!include "MUI2.nsh"

Name "KDW PC Encoder"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\KDW PC Encoder"
InstallDirRegKey HKLM "Software\KDW PC Encoder" "InstallDir"
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\KDW PC Encoder"
!define MUI_ICON "${SOURCE}\..\kdw.ico"
!define MUI_UNICON "${SOURCE}\..\kdw.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\Program.exe"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "SimpChinese"
!insertmacro MUI_LANGUAGE "TradChinese"

Function .onInit
  SetRegView 64
  !insertmacro MUI_LANGDLL_DISPLAY
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "KDW PC Encoder"
  SetOutPath "$INSTDIR"
  File "${SOURCE}\Program.exe"
  File "${SOURCE}\kdw-cli.exe"
  File "${SOURCE}\Eng.dll"
  File "${SOURCE}\Chs.dll"
  File "${SOURCE}\Cht.dll"
  File "${SOURCE}\DEF_U01.sin"
  File /nonfatal "${SOURCE}\eng.chm"
  File /nonfatal "${SOURCE}\chs.chm"
  File /nonfatal "${SOURCE}\cht.chm"
  ; The template of each user's Program.ini, and the marker that keeps the
  ; user's files in %APPDATA%\kdw-pc-encoder: the folder is the system's.
  File "${SOURCE}\Program.ini"
  File "${SOURCE}\..\installed"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateShortCut "$SMPROGRAMS\KDW PC Encoder.lnk" "$INSTDIR\Program.exe"

  ; .sin channel data files open with the program.
  WriteRegStr HKLM "Software\Classes\.sin" "" "KDW.ChannelData"
  WriteRegStr HKLM "Software\Classes\KDW.ChannelData" "" "KDW417 channel data"
  WriteRegStr HKLM "Software\Classes\KDW.ChannelData\DefaultIcon" "" "$INSTDIR\Program.exe,0"
  WriteRegStr HKLM "Software\Classes\KDW.ChannelData\shell\open\command" "" '"$INSTDIR\Program.exe" "%1"'

  WriteRegStr HKLM "Software\KDW PC Encoder" "InstallDir" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "KDW PC Encoder"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "KDW"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Program.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  Delete "$SMPROGRAMS\KDW PC Encoder.lnk"
  Delete "$INSTDIR\Program.exe"
  Delete "$INSTDIR\kdw-cli.exe"
  Delete "$INSTDIR\Eng.dll"
  Delete "$INSTDIR\Chs.dll"
  Delete "$INSTDIR\Cht.dll"
  Delete "$INSTDIR\DEF_U01.sin"
  Delete "$INSTDIR\eng.chm"
  Delete "$INSTDIR\chs.chm"
  Delete "$INSTDIR\cht.chm"
  Delete "$INSTDIR\Program.ini"
  Delete "$INSTDIR\installed"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  ; The users' own files in %APPDATA% stay: they are their channel data.
  ReadRegStr $0 HKLM "Software\Classes\.sin" ""
  StrCmp $0 "KDW.ChannelData" 0 +2
    DeleteRegKey HKLM "Software\Classes\.sin"
  DeleteRegKey HKLM "Software\Classes\KDW.ChannelData"
  DeleteRegKey HKLM "Software\KDW PC Encoder"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
