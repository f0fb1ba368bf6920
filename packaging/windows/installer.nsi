; installer.nsi: the Windows installer. Installs the program under Program Files for every user,
; with a Start-menu shortcut and an entry in the system's list of installed programs; /S installs
; and uninstalls without a window. Made by scripts/package-windows.sh (CMake target
; vennaloop_setup), which defines VERSION, EXE, LICENSE, README, ICON and OUTFILE.
;
; The 64-bit Unicode stubs: the program is 64-bit, and so is the Wine the tests run it under.
Target amd64-unicode
Unicode true
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "WinVer.nsh"
!include "FileFunc.nsh"

; The names the program's texts and resources use (makensis reads from the script's folder).
!searchparse /file "../../ui/product.h" '#define VENNALOOP_PRODUCT_NAME "' APP '"'
!searchparse /file "../../ui/product.h" '#define VENNALOOP_AUTHOR "' AUTHOR '"'
!searchparse /file "../../ui/product.h" '#define VENNALOOP_COPYRIGHT "' COPYRIGHT '"'
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP}"

Name "${APP}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${APP}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
BrandingText "${APP} ${VERSION}"

VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "${APP}"
VIAddVersionKey /LANG=1033 "FileDescription" "${APP} installer"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${COPYRIGHT}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

; Windows 10 version 1607 is build 14393: GetDpiForWindow, AdjustWindowRectExForDpi and
; GetSystemMetricsForDpi came with it.
LangString TooOld ${LANG_ENGLISH} "${APP} needs Windows 10 version 1607 or later: it uses the \
display scaling functions that came with that version. Nothing has been installed."
LangString TooOld ${LANG_JAPANESE} "${APP} には Windows 10 バージョン 1607 以降が必要です\
(そのバージョンで加わった表示スケーリングの関数を使います)。何もインストールしていません。"

Function .onInit
  ${IfNot} ${AtLeastWin10}
  ${OrIfNot} ${AtLeastBuild} 14393
    MessageBox MB_OK|MB_ICONSTOP "$(TooOld)" /SD IDOK
    Abort
  ${EndIf}
FunctionEnd

Section "Install"
  SetShellVarContext all
  SetRegView 64
  SetOutPath "$INSTDIR"
  File "/oname=vennaloop.exe" "${EXE}"
  File "/oname=LICENSE.txt" "${LICENSE}"
  File "/oname=README.txt" "${README}"
  File "/oname=RUNTIME-LICENSES.txt" "${NOTICES}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\vennaloop.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${APP}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\vennaloop.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${AUTHOR}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ; In KiB, as the list of installed programs shows it: what the folder holds, uninstaller too.
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  SetRegView 64
  Delete "$SMPROGRAMS\${APP}.lnk"
  Delete "$INSTDIR\vennaloop.exe"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\RUNTIME-LICENSES.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
