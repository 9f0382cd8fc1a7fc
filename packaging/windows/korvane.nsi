; The KORVANE installer. Built by scripts/windows.sh with makensis:
;   makensis -DVERSION=x.y.z -DSTAGE=<folder to install> -DLISTS=<folder of
;            files.nsh and remove.nsh> -DOUTFILE=<setup.exe> korvane.nsi
; It installs for the current user (no administrator needed) or for all
; users, adds a Start-menu shortcut and an entry in "Apps" whose uninstaller
; removes what was installed and leaves the player's settings
; (%APPDATA%\KORVANE\qelmira.ini) alone. Silent use: /S, with /CurrentUser or
; /AllUsers, and /D=<folder> last.
; A 64-bit installer for a 64-bit game: it runs where the game can.
Target amd64-unicode
SetCompressor /SOLID lzma
!define APP "KORVANE"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP}"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "${APP}"
!define MULTIUSER_INSTALLMODE_DEFAULT_CURRENTUSER
!include MultiUser.nsh
!include MUI2.nsh

Name "${APP}"
OutFile "${OUTFILE}"
BrandingText "${APP} ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "${APP}"
VIAddVersionKey /LANG=0 "FileDescription" "${APP} Setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "2026 The KORVANE project"

!define MUI_ICON "${STAGE}/korvane.ico"
!define MUI_UNICON "${STAGE}/korvane.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\korvane.exe"
!insertmacro MUI_PAGE_LICENSE "${STAGE}/licenses/LICENSE.txt"
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "${APP}"
  SetOutPath "$INSTDIR"
  !include "${LISTS}/files.nsh"
  ; Marks this copy as installed: it keeps its settings in %APPDATA%\KORVANE,
  ; not beside itself in a folder that is not the player's.
  FileOpen $0 "$INSTDIR\korvane.installed" w
  FileWrite $0 "Installed by the KORVANE installer; settings live in %APPDATA%\KORVANE.$\r$\n"
  FileClose $0
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortCut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\korvane.exe" "" "$INSTDIR\korvane.exe" 0

  ; The entry in "Apps" (Add or remove programs), for this user or for all.
  ${If} $MultiUser.InstallMode == "AllUsers"
    StrCpy $1 "/AllUsers"
  ${Else}
    StrCpy $1 "/CurrentUser"
  ${EndIf}
  WriteRegStr SHCTX "${UNINST_KEY}" "DisplayName" "${APP}"
  WriteRegStr SHCTX "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINST_KEY}" "Publisher" "The KORVANE project"
  WriteRegStr SHCTX "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\korvane.exe,0"
  WriteRegStr SHCTX "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINST_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" $1'
  WriteRegStr SHCTX "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S $1'
  WriteRegDWORD SHCTX "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINST_KEY}" "NoRepair" 1
  WriteRegDWORD SHCTX "${UNINST_KEY}" "EstimatedSize" ${SIZE_KB}
SectionEnd

Section "Uninstall"
  Delete "$SMPROGRAMS\${APP}.lnk"
  !include "${LISTS}/remove.nsh"
  Delete "$INSTDIR\korvane.installed"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey SHCTX "${UNINST_KEY}"
SectionEnd
