; The Windows installer: the program, a Start menu entry, and an uninstaller
; listed in Apps & features, for everyone (administrator, Program Files,
; HKLM) or for the current user only (no administrator, the user's own
; programs folder, HKCU). makensis gets the names and paths from the build
; (ui/win32/cmake/Packaging.cmake):
;   makensis -DVERSION=... -DVERSION_QUAD=... -DAPP_NAME=... -DPUBLISHER=... -DCOPYRIGHT=...
;            -DPROGRAM=... -DLICENSE=... -DICON=... -DOUTFILE=... installer.nsi
;
; Silent use: setup.exe /S [/AllUsers | /CurrentUser], uninstall.exe /S.
; Either fails with exit code 2 and changes nothing while the program runs.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
; Sharp at every scale: Windows must not stretch the installer's pages.
ManifestDPIAware true
ManifestDPIAwareness "PerMonitorV2,System"
; Reproducible builds: the installer stores no file times of the build.
SetDateSave off
; A signed build (-DSIGN_COMMAND=<command>) has the command sign the
; uninstaller as it is made, before it goes into the installer, and then the
; installer; a command that fails fails the build.
!ifdef SIGN_COMMAND
    !uninstfinalize '"${SIGN_COMMAND}" "%1"' = 0
    !finalize '"${SIGN_COMMAND}" "%1"' = 0
!endif

!define APP_EXE "velmora2-name-generator.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmora2NameGenerator"
; The class of the program's window, by which a running copy is found.
!define WINDOW_CLASS "Velmora2NameGeneratorForm1"

; Who the program is installed for. "Highest": an administrator is asked
; once for consent and may choose either; anyone else installs for
; themselves without being asked. An earlier install's hive and folder are
; found again, so that an upgrade replaces it in place.
!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "${APP_NAME}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallLocation"

!include "MultiUser.nsh"
!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"

Name "${APP_NAME}"
OutFile "${OUTFILE}"
BrandingText "${APP_NAME} ${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
; Started through Explorer, so as the user who logged in: never with the
; installer's administrator rights.
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION RunAsLoggedInUser
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; The installer's own version resource, for Explorer's Details tab.
VIProductVersion "${VERSION_QUAD}"
VIFileVersion "${VERSION_QUAD}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${APP_NAME}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${APP_NAME} Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "${COPYRIGHT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "OriginalFilename" "velmora2-name-generator-${VERSION}-setup.exe"

; Waits until no copy of the program runs, asking the user to close it;
; silently, ends at once with exit code 2, before anything has changed.
!macro WAIT_FOR_PROGRAM_TO_CLOSE
    ${Do}
        FindWindow $0 "${WINDOW_CLASS}"
        ${If} $0 == 0
            ${ExitDo}
        ${EndIf}
        ${If} ${Silent}
            SetErrorLevel 2
            Quit
        ${EndIf}
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
            "${APP_NAME} is running. Close it, then choose Retry." IDRETRY +3
        SetErrorLevel 2
        Quit
    ${Loop}
!macroend

Function .onInit
    SetRegView 64
    !insertmacro MULTIUSER_INIT
    !insertmacro WAIT_FOR_PROGRAM_TO_CLOSE
FunctionEnd

Function un.onInit
    SetRegView 64
    !insertmacro MULTIUSER_UNINIT
    !insertmacro WAIT_FOR_PROGRAM_TO_CLOSE
FunctionEnd

Function RunAsLoggedInUser
    Exec '"$WINDIR\explorer.exe" "$INSTDIR\${APP_EXE}"'
FunctionEnd

Section "Install"
    SetOutPath "$INSTDIR"
    File "/oname=${APP_EXE}" "${PROGRAM}"
    File "/oname=LICENSE.txt" "${LICENSE}"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\${APP_NAME}.lnk" "$INSTDIR\${APP_EXE}"

    ; SHCTX is HKLM for everyone, HKCU for the current user. The uninstaller
    ; is told which, so that it removes this install and no other.
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${APP_NAME}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${APP_EXE},0"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" \
        '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" \
        '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
    ; The program goes first: if Windows still holds it (a copy running in
    ; another session), nothing else is touched and the install stays whole.
    ClearErrors
    Delete "$INSTDIR\${APP_EXE}"
    ${If} ${Errors}
        SetErrorLevel 2
        Abort "${APP_NAME} is still running; nothing was removed."
    ${EndIf}
    Delete "$SMPROGRAMS\${APP_NAME}.lnk"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
