; Sorvelin's Setup program: installs both programs for the current user (no
; administrator rights), optionally makes Sorvelin the current screensaver,
; and registers an uninstaller. Built by CMake, which passes
;   SORVELIN_VERSION  the project version, x.y.z
;   PROGRAMS_DIR      the folder holding Sorvelin.scr and Sorvelin.dll
;   SETUP_PROGRAM     the Setup program to write
; Accepts /S (silent) and /D=folder (the last argument, no quotes).
;
; Neither Setup nor the uninstaller works on programs that are running, and
; neither leaves a mix of old and new: when the programs cannot be put in
; place or removed, nothing is changed, the user is told (silent: exit code 2).

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
; The files Setup puts in the folder are first written under these endings
; beside the ones they replace, which give way under the other.
!define NEW ".new"
!define OLD ".old"
; How long a silent Setup or uninstaller waits for a running show or settings
; dialog to close before it gives up, in 250 ms steps.
!define SILENT_WAIT_STEPS 40

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

; Ends Setup or the uninstaller with nothing (more) changed; a silent run
; gives exit code 2.
!macro Stop
    SetErrorLevel 2
    Abort
!macroend

; The same, telling the user why.
!macro Refuse text
    MessageBox MB_OK|MB_ICONSTOP "${text}" /SD IDOK
    !insertmacro Stop
!macroend

; A show (its hidden form, or the renderer's window) or the settings dialog
; holds the program files. Waits until they have closed: asks the user, or,
; silent, waits a bounded time. Stops when they stay open.
!macro WaitUntilSorvelinEnds
    StrCpy $R1 0
    ${Do}
        FindWindow $R0 "" "Velmorani_Main"
        ${If} $R0 = 0
            FindWindow $R0 "" "<Sorvelin>"
        ${EndIf}
        ${If} $R0 = 0
            FindWindow $R0 "" "Velmorani_VC"
        ${EndIf}
        ${If} $R0 = 0
            ${Break}
        ${EndIf}
        ${If} ${Silent}
            ${If} $R1 >= ${SILENT_WAIT_STEPS}
                !insertmacro Stop
            ${EndIf}
            IntOp $R1 $R1 + 1
            Sleep 250
        ${ElseIf} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(SorvelinRunning)" IDCANCEL`
            !insertmacro Stop
        ${EndIf}
    ${Loop}
!macroend

; Applies a macro to each file Setup puts in the folder.
!macro ForEachProgram macro
    !insertmacro ${macro} "Sorvelin.scr"
    !insertmacro ${macro} "Sorvelin.dll"
    !insertmacro ${macro} "${UNINSTALLER}"
!macroend

; The steps below that replace or remove files run one after the other while
; $R9 is 0; the first that fails sets it to 1, and the rest are skipped.
; (Testing the error flag clears it, so it cannot carry the failure on.)
!macro NoteFailure
    IfErrors 0 +2
        StrCpy $R9 1
!macroend

; A program another process has open (a running host or renderer, a preview)
; cannot be opened for writing.
!macro CheckNotInUse name
    ${If} $R9 = 0
    ${AndIf} ${FileExists} "$INSTDIR\${name}"
        ClearErrors
        FileOpen $R0 "$INSTDIR\${name}" a
        ${If} ${Errors}
            StrCpy $R9 1
        ${Else}
            FileClose $R0
        ${EndIf}
    ${EndIf}
!macroend

!macro SetAside name
    ${If} $R9 = 0
    ${AndIf} ${FileExists} "$INSTDIR\${name}"
        ClearErrors
        Delete "$INSTDIR\${name}${OLD}"
        Rename "$INSTDIR\${name}" "$INSTDIR\${name}${OLD}"
        !insertmacro NoteFailure
    ${EndIf}
!macroend

!macro PutNew name
    ${If} $R9 = 0
        ClearErrors
        Rename "$INSTDIR\${name}${NEW}" "$INSTDIR\${name}"
        !insertmacro NoteFailure
    ${EndIf}
!macroend

; Undoes SetAside and PutNew at whatever step they stopped: a file whose new
; copy has gone was moved in and goes; the old one comes back.
!macro PutBack name
    ${IfNot} ${FileExists} "$INSTDIR\${name}${NEW}"
        Delete "$INSTDIR\${name}"
    ${EndIf}
    ${If} ${FileExists} "$INSTDIR\${name}${OLD}"
        Rename "$INSTDIR\${name}${OLD}" "$INSTDIR\${name}"
    ${EndIf}
    Delete "$INSTDIR\${name}${NEW}"
!macroend

!macro DropNew name
    Delete "$INSTDIR\${name}${NEW}"
!macroend

!macro DropOld name
    Delete "$INSTDIR\${name}${OLD}"
!macroend

; NSIS puts its default or the last install's folder in place of a /D= folder
; that cannot be one (a file stands in its path), and would install there
; silently. A silent Setup goes only where it was told.
Function .onInit
    ${IfNot} ${Silent}
        Return
    ${EndIf}
    ; /D= is the last argument: the folder is the rest of the command line.
    System::Call "kernel32::GetCommandLineW() w .r0"
    StrCpy $1 0
    ${Do}
        StrCpy $2 $0 4 $1
        ${If} $2 == ""
            Return
        ${EndIf}
        IntOp $1 $1 + 1
    ${LoopUntil} $2 S== " /D="
    IntOp $1 $1 + 3
    StrCpy $2 $0 "" $1
    ; As NSIS does, without the backslashes and blanks at its end.
    ${Do}
        StrCpy $3 $2 1 -1
        ${If} $3 != "\"
        ${AndIf} $3 != " "
            ${Break}
        ${EndIf}
        StrCpy $2 $2 -1
    ${Loop}
    ${If} $2 != $INSTDIR
        SetErrorLevel 2
        Abort
    ${EndIf}
FunctionEnd

; An install stopped on a file Setup could not write leaves no new copies.
Function .onInstFailed
    !insertmacro ForEachProgram DropNew
FunctionEnd

Section "$(ComponentPrograms)" SectionPrograms
    SectionIn RO
    !insertmacro WaitUntilSorvelinEnds

    ; The new files are written beside the old ones first: a folder that
    ; cannot be written is found before anything has changed. Sorvelin.ini is
    ; never written or removed here: an upgrade keeps the user's settings
    ; byte for byte.
    CreateDirectory "$INSTDIR"
    ClearErrors
    FileOpen $R0 "$INSTDIR\Sorvelin.scr${NEW}" w
    ${If} ${Errors}
        !insertmacro Refuse "$(FolderNotWritable)"
    ${EndIf}
    FileClose $R0
    File "/oname=$INSTDIR\Sorvelin.scr${NEW}" "${PROGRAMS_DIR}\Sorvelin.scr"
    File "/oname=$INSTDIR\Sorvelin.dll${NEW}" "${PROGRAMS_DIR}\Sorvelin.dll"
    WriteUninstaller "$INSTDIR\${UNINSTALLER}${NEW}"
    ${If} ${Errors}
        !insertmacro ForEachProgram DropNew
        !insertmacro Refuse "$(FolderNotWritable)"
    ${EndIf}

    ; Then the old ones give way, all of them or none.
    StrCpy $R9 0
    !insertmacro ForEachProgram CheckNotInUse
    !insertmacro ForEachProgram SetAside
    !insertmacro ForEachProgram PutNew
    ${If} $R9 = 1
        !insertmacro ForEachProgram PutBack
        !insertmacro Refuse "$(ProgramsInUse)"
    ${EndIf}
    !insertmacro ForEachProgram DropOld

    SetOutPath "$INSTDIR"
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

!define CLSID_ShellLink "{00021401-0000-0000-C000-000000000046}"
!define IID_IShellLinkW "{000214F9-0000-0000-C000-000000000046}"
!define IID_IPersistFile "{0000010B-0000-0000-C000-000000000046}"
!define CLSCTX_INPROC_SERVER 1

; The program a shortcut starts, or "" when it cannot be read. The methods are
; called by their places in the interfaces' tables.
!macro ShortcutTarget result link
    Push $0
    Push $1
    Push $2
    StrCpy ${result} ""
    System::Call "ole32::CoCreateInstance(g '${CLSID_ShellLink}', p 0, i ${CLSCTX_INPROC_SERVER}, g '${IID_IShellLinkW}', *p .r0) i .r2"
    ${If} $2 = 0
        System::Call "$0->0(g '${IID_IPersistFile}', *p .r1) i .r2"   ; QueryInterface
        ${If} $2 = 0
            ; The path goes in through a register: it may hold quotes.
            StrCpy $2 "${link}"
            System::Call "$1->5(w r2, i 0) i .r2"                       ; IPersistFile::Load
            ${If} $2 = 0
                System::Call "$0->3(w .r2, i ${NSIS_MAX_STRLEN}, p 0, i 0)"   ; IShellLinkW::GetPath
                StrCpy ${result} $2
            ${EndIf}
            System::Call "$1->2()"                                       ; Release
        ${EndIf}
        System::Call "$0->2()"
    ${EndIf}
    Pop $2
    Pop $1
    Pop $0
!macroend

!macro DropLeftovers name
    Delete "$INSTDIR\${name}${NEW}"
    Delete "$INSTDIR\${name}${OLD}"
!macroend

Section "Uninstall"
    !insertmacro WaitUntilSorvelinEnds

    ; A newer copy installed in another folder owns the uninstall entry, the
    ; Start-menu entry and perhaps the current screensaver: only what points
    ; into this folder goes. Asked while the programs are still there.
    !insertmacro CurrentScreensaverIs $R2 "$INSTDIR\Sorvelin.scr"
    ReadRegStr $R3 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    !insertmacro SamePath $R3 "$R3" "$INSTDIR"
    !insertmacro ShortcutTarget $R4 "${SHORTCUT}"
    !insertmacro SamePath $R4 "$R4" "$INSTDIR\Sorvelin.scr"

    ; The programs go first: while one stays, so do the uninstaller and its
    ; entry, and the uninstall can be run again.
    StrCpy $R9 0
    !insertmacro CheckNotInUse "Sorvelin.scr"
    !insertmacro CheckNotInUse "Sorvelin.dll"
    ${If} $R9 = 0
        ClearErrors
        Delete "$INSTDIR\Sorvelin.scr"
        Delete "$INSTDIR\Sorvelin.dll"
        !insertmacro NoteFailure
    ${EndIf}
    ${If} $R9 = 1
        !insertmacro Refuse "$(ProgramsNotRemoved)"
    ${EndIf}
    !insertmacro ForEachProgram DropLeftovers
    Delete "$INSTDIR\${UNINSTALLER}"

    ${If} $R2 = 1
        !insertmacro ForgetCurrentScreensaver
    ${EndIf}
    ${If} $R3 = 1
        DeleteRegKey HKCU "${UNINSTALL_KEY}"
    ${EndIf}
    ${If} $R4 = 1
        Delete "${SHORTCUT}"
    ${EndIf}
    ; The user's Sorvelin.ini stays, and with it the folder: a later install
    ; finds the music settings as they were.
    RMDir "$INSTDIR"
SectionEnd
