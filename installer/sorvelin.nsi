; Sorvelin's Setup program: installs both programs for the current user (no
; administrator rights), optionally makes Sorvelin the current screensaver,
; and registers an uninstaller. Built by CMake, which passes
;   SORVELIN_VERSION  the project version, x.y.z
;   PROGRAMS_DIR      the folder holding Sorvelin.scr and Sorvelin.dll
;   SETUP_PROGRAM     the Setup program to write
; Accepts /S (silent) and /D=folder (the last argument, no quotes).

!ifndef SORVELIN_VERSION | PROGRAMS_DIR | SETUP_PROGRAM
    !error "Build the Setup program through CMake, which defines SORVELIN_VERSION, PROGRAMS_DIR and SETUP_PROGRAM"
!endif

; The programs are x86-64 only, and so is the Setup program that carries them.
Target amd64-unicode
!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define PRODUCT "Sorvelin"
!define PUBLISHER "Quonrade"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define UNINSTALLER "Uninstall.exe"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"

Name "${PRODUCT}"
OutFile "${SETUP_PROGRAM}"
RequestExecutionLevel user
; A folder the user owns: the settings file beside the program can be written.
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
; An upgrade goes where the last install went.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
SetCompressor /SOLID lzma
; Stored file times would make every build of the Setup program differ.
SetDateSave off
ManifestDPIAware true
BrandingText "${PRODUCT} ${SORVELIN_VERSION}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${SORVELIN_VERSION}.0"
VIFileVersion "${SORVELIN_VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=0 "FileVersion" "${SORVELIN_VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${SORVELIN_VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "Copyright ${PUBLISHER}"

!define MUI_ICON "${__FILEDIR__}\..\host\pictures\host.ico"
!define MUI_UNICON "${__FILEDIR__}\..\host\pictures\host.ico"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_SMALLDESC

!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "$(OpenScreensaverSettings)"
!define MUI_FINISHPAGE_RUN_FUNCTION OpenScreensaverSettings
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first language is the one used where the system's is neither: NSIS
; picks the pages' language from the user's own without asking.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

!include "${__FILEDIR__}\languages.nsh"
!include "${__FILEDIR__}\current_screensaver.nsh"

Section "$(ComponentPrograms)" SectionPrograms
    SectionIn RO
    SetOutPath "$INSTDIR"
    ; Sorvelin.ini is never written or removed here: an upgrade keeps the
    ; user's settings byte for byte.
    File "${PROGRAMS_DIR}\Sorvelin.scr"
    File "${PROGRAMS_DIR}\Sorvelin.dll"
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"

    CreateShortCut "${SHORTCUT}" "$INSTDIR\Sorvelin.scr" "/c" "$INSTDIR\Sorvelin.scr" 0 \
        SW_SHOWNORMAL "" "$(ShortcutDescription)"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${SORVELIN_VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Sorvelin.scr,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "$(ComponentCurrent)" SectionCurrent
    !insertmacro MakeCurrentScreensaver "$INSTDIR\Sorvelin.scr"
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
    !insertmacro MUI_DESCRIPTION_TEXT ${SectionPrograms} "$(ComponentPrograms_Help)"
    !insertmacro MUI_DESCRIPTION_TEXT ${SectionCurrent} "$(ComponentCurrent_Help)"
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function OpenScreensaverSettings
    Exec '"$SYSDIR\control.exe" desk.cpl,,@screensaver'
FunctionEnd

Section "Uninstall"
    ; Before the program goes: its short path is made from the file itself.
    !insertmacro ForgetCurrentScreensaver "$INSTDIR\Sorvelin.scr"

    Delete "$INSTDIR\Sorvelin.scr"
    Delete "$INSTDIR\Sorvelin.dll"
    Delete "$INSTDIR\${UNINSTALLER}"
    Delete "${SHORTCUT}"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    ; The user's Sorvelin.ini stays, and with it the folder: a later install
    ; finds the music settings as they were.
    RMDir "$INSTDIR"
SectionEnd
