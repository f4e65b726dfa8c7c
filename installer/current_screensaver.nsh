; Which screensaver Windows starts is one value of the user's desktop
; settings. It holds the program's short (8.3) path, as Windows' own Install
; verb writes it, so paths with blanks or non-ANSI characters still work.

!define DESKTOP_KEY "Control Panel\Desktop"
!define SPI_SETSCREENSAVEACTIVE 17
!define SPIF_SENDCHANGE 2

; The short path of a program, or its long path where the volume has no short
; names (GetShortPathName then fails).
!macro ShortProgramPath result path
    GetFullPathName /SHORT ${result} "${path}"
    ${If} ${result} == ""
        StrCpy ${result} "${path}"
    ${EndIf}
!macroend

!macro MakeCurrentScreensaver program
    Push $0
    !insertmacro ShortProgramPath $0 "${program}"
    WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$0"
    WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
    ; Running programs learn of the change without a new logon.
    System::Call "user32::SystemParametersInfoW(i ${SPI_SETSCREENSAVEACTIVE}, i 1, p 0, i ${SPIF_SENDCHANGE})"
    Pop $0
!macroend

; Whether two paths name the same file or folder: their short paths are
; compared, so a long path and any short form of it match. StrCmp ignores
; case, as Windows paths do. Ask while the files are there: a missing one is
; compared by the path as given.
!macro SamePath result a b
    Push $0
    Push $1
    !insertmacro ShortProgramPath $0 "${a}"
    !insertmacro ShortProgramPath $1 "${b}"
    ${If} $0 == $1
        StrCpy ${result} 1
    ${Else}
        StrCpy ${result} 0
    ${EndIf}
    Pop $1
    Pop $0
!macroend

; Whether the choice still names this copy of the program (1 or 0): a
; screensaver chosen since then is the user's and stays. Ask while the program
; is still there, or its short path cannot be made.
!macro CurrentScreensaverIs result program
    ReadRegStr ${result} HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${If} ${result} != ""
        !insertmacro SamePath ${result} "${result}" "${program}"
    ${Else}
        StrCpy ${result} 0
    ${EndIf}
!macroend

!macro ForgetCurrentScreensaver
    DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
!macroend
