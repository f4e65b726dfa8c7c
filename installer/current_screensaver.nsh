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

; Clears the choice only when it still names this copy of the program: a
; screensaver chosen since then is the user's and stays. Must run while the
; program is still there, or its short path cannot be made.
!macro ForgetCurrentScreensaver program
    Push $0
    Push $1
    ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${If} $0 != ""
        !insertmacro ShortProgramPath $1 "${program}"
        ; StrCmp ignores case, as Windows paths do.
        ${If} $0 == $1
        ${OrIf} $0 == "${program}"
            DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
        ${Else}
            ; The value may name this copy by its long path, or another short form.
            GetFullPathName /SHORT $0 $0
            ${If} $0 == $1
                DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
            ${EndIf}
        ${EndIf}
    ${EndIf}
    Pop $1
    Pop $0
!macroend
