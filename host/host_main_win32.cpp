#include <windows.h>

#include "host_main.h"

#include "command_line.h"
#include "preview_form.h"
#include "saver_form.h"
#include "settings/settings_dialog.h"
#include "settings/settings_file.h"

namespace {

const char* const kShowMarker = "Velmorani_Main";
const char* const kDialogMarker = "<Sorvelin>";
const char* const kDevelopmentFolder = "C:\\Quonrade";
// Shown in UTF-16 so it reads right whatever the system's code page.
const wchar_t* const kMissingRendererText = L"Sorvelin.dll が同じﾌｫﾙﾀﾞに見つかりません！";
const wchar_t* const kApplicationTitle = L"Sorvelin (ScreenSaver)";

bool anotherCopyIsBusy()
{
    // Both lookups are always made.
    const bool show = FindWindowA(nullptr, kShowMarker) != nullptr;
    const bool dialog = FindWindowA(nullptr, kDialogMarker) != nullptr;
    return show || dialog;
}

} // namespace

void HostMain(const std::string& arguments)
{
    if (anotherCopyIsBusy()) EndProgram();

    const char mode = ModeLetter(arguments);
    if (mode == 'P') {
        StartPreview(arguments);
        return;
    }

    CreateDirectoryA(kDevelopmentFolder, nullptr);   // already there, or not writable: go on
    LoadSettings();

    if (!FileExists(ProgramFolder() + "\\Sorvelin.dll")) {
        MessageBoxW(nullptr, kMissingRendererText, kApplicationTitle, MB_OK);
        EndProgram();
    }
    if (mode == 'C') {
        // A handle after the letter (/c:1234) is ignored: the dialog has no owner.
        ShowSettingsDialog();
        EndProgram();
    }
    if (mode != 'S' && !arguments.empty()) EndProgram();
    if (mode == 'S') ShowCursor(FALSE);
    LoadSaverForm(mode);
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    HostMain(commandLine != nullptr ? commandLine : "");

    // The program lives as long as one of its windows is loaded.
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
