; The Windows installer of Corvane Part File Stacker (NSIS 3). scripts/windows.sh builds it with
;   makensis -DVERSION=1.0.0 -DSTAGE=<the portable copy's folder> -DFILELIST=<its Delete lines> -DOUTFILE=<setup.exe>
; For the current user (the default: no administrator needed, into %LOCALAPPDATA%\Programs) or for
; all users (into Program Files, as an administrator). Silent: /S, with /AllUsers or /CurrentUser.
; Uninstalling removes the program, its Start menu entry and its file association; the user's
; settings (%APPDATA%\Corvane) and part files (C:\cvparts) stay.
; A 64-bit installer, as the program is: it runs where a 32-bit one would need Windows's 32-bit
; layer (Wine without its 32-bit half runs no 32-bit program at all).
Target amd64-unicode
SetCompressor /SOLID lzma

!ifndef VERSION
  !error "VERSION is not defined"
!endif
!ifndef STAGE
  !error "STAGE (the portable copy's folder) is not defined"
!endif
!ifndef FILELIST
  !error "FILELIST (the uninstaller's Delete lines for the portable copy's files) is not defined"
!endif
!ifndef OUTFILE
  !define OUTFILE "cvstacker-${VERSION}-win64-setup.exe"
!endif

!define APPNAME "Corvane Part File Stacker"
!define EXE "cvstacker.exe"
!define PROGID "Corvane.PartFile"
!define UNINSTKEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\CorvanePartFileStacker"
!define OWNKEY "Software\Corvane\Part File Stacker"

Name "${APPNAME}"
OutFile "${OUTFILE}"
BrandingText "${APPNAME} ${VERSION}"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_DEFAULT_CURRENTUSER
!define MULTIUSER_INSTALLMODE_INSTDIR "${APPNAME}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${OWNKEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallMode"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${OWNKEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallDir"
!define MULTIUSER_USE_PROGRAMFILES64
!include MultiUser.nsh
!include MUI2.nsh
!include x64.nsh

!define MUI_ICON "${STAGE}\cvstacker.ico"
!define MUI_UNICON "${STAGE}\cvstacker.ico"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_WELCOME
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EXE}"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Spanish"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${APPNAME}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "Corvane"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${APPNAME} installer"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Corvane"

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_OK|MB_ICONSTOP "${APPNAME} needs 64-bit Windows." /SD IDOK
    Abort
  ${EndIf}
  !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "!${APPNAME}" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  WriteRegStr SHCTX "${OWNKEY}" "InstallDir" "$INSTDIR"
  WriteRegStr SHCTX "${OWNKEY}" "InstallMode" "$MultiUser.InstallMode"
  WriteRegStr SHCTX "${UNINSTKEY}" "DisplayName" "${APPNAME}"
  WriteRegStr SHCTX "${UNINSTKEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTKEY}" "Publisher" "Corvane"
  WriteRegStr SHCTX "${UNINSTKEY}" "DisplayIcon" "$INSTDIR\${EXE},0"
  WriteRegStr SHCTX "${UNINSTKEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTKEY}" "UninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTKEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTKEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTKEY}" "NoRepair" 1

  ; Explorer's "Open with" lists the program for part files whatever opens them on a double-click.
  WriteRegStr SHCTX "Software\Classes\${PROGID}" "" "Corvane part file"
  WriteRegStr SHCTX "Software\Classes\${PROGID}\DefaultIcon" "" "$INSTDIR\${EXE},0"
  WriteRegStr SHCTX "Software\Classes\${PROGID}\shell\open\command" "" '"$INSTDIR\${EXE}" "%1"'
  WriteRegStr SHCTX "Software\Classes\.cvp\OpenWithProgids" "${PROGID}" ""
  WriteRegStr SHCTX "Software\Classes\Applications\${EXE}" "FriendlyAppName" "${APPNAME}"
  WriteRegStr SHCTX "Software\Classes\Applications\${EXE}\shell\open\command" "" '"$INSTDIR\${EXE}" "%1"'
  WriteRegStr SHCTX "Software\Classes\Applications\${EXE}\SupportedTypes" ".cvp" ""
SectionEnd

Section "Start menu entry" SecStartMenu
  CreateShortcut "$SMPROGRAMS\${APPNAME}.lnk" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0
SectionEnd

; The router's control software may own .cvp files already: what it had is kept and given back on
; uninstall.
Section "Open .cvp files with a double-click" SecAssociate
  ReadRegStr $0 SHCTX "Software\Classes\.cvp" ""
  ${If} $0 != "${PROGID}"
    WriteRegStr SHCTX "${OWNKEY}" "PreviousCvpType" "$0"
  ${EndIf}
  WriteRegStr SHCTX "Software\Classes\.cvp" "" "${PROGID}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} "The program, its help text and translations."
  !insertmacro MUI_DESCRIPTION_TEXT ${SecStartMenu} "An entry with the program's icon in the Start menu."
  !insertmacro MUI_DESCRIPTION_TEXT ${SecAssociate} "Part files (.cvp) open in the program when double-clicked in Explorer. Without it, they are still offered under Open with."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Section "Uninstall"
  Delete "$SMPROGRAMS\${APPNAME}.lnk"

  ReadRegStr $0 SHCTX "Software\Classes\.cvp" ""
  ${If} $0 == "${PROGID}"
    ReadRegStr $1 SHCTX "${OWNKEY}" "PreviousCvpType"
    ${If} $1 != ""
      WriteRegStr SHCTX "Software\Classes\.cvp" "" "$1"
    ${Else}
      DeleteRegValue SHCTX "Software\Classes\.cvp" ""
    ${EndIf}
  ${EndIf}
  DeleteRegValue SHCTX "Software\Classes\.cvp\OpenWithProgids" "${PROGID}"
  DeleteRegKey /ifempty SHCTX "Software\Classes\.cvp\OpenWithProgids"
  DeleteRegKey /ifempty SHCTX "Software\Classes\.cvp"
  DeleteRegKey SHCTX "Software\Classes\${PROGID}"
  DeleteRegKey SHCTX "Software\Classes\Applications\${EXE}"
  DeleteRegKey SHCTX "${UNINSTKEY}"
  DeleteRegKey SHCTX "${OWNKEY}"
  DeleteRegKey /ifempty SHCTX "Software\Corvane"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

  ; Only what the installer put there: a file the user left in the folder stays, and so does the folder.
  !include "${FILELIST}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd
