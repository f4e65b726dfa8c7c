#include <windows.h>

#include "saver_form.h"

#include "file_kind.h"
#include "host_main.h"
#include "music/music_player.h"
#include "renderer_watch.h"
#include "settings/settings_file.h"

namespace {

const char* const kFormClass = "Velmorani_S";
const char* const kFormTitle = "Velmorani_Main";
const char* const kRendererTitle = "Velmorani_VC";

enum TimerId : UINT_PTR { Timer1 = 1, Timer2 = 2, Timer3 = 3 };
constexpr UINT kTimer1Ms = 1000;   // music-file restart poll
constexpr UINT kTimer2Ms = 200;    // audio-CD poll
constexpr UINT kTimer3Ms = 500;    // renderer watch

struct SaverForm {
    HWND window = nullptr;
    char mode = '\0';
    std::string RendererPath;
    HANDLE renderer = nullptr;   // to tell a slow renderer from one that is gone
    RendererWatch watch;
    bool timer1Enabled = false;
    bool timer2Enabled = false;
};

SaverForm gForm;

void enableTimer(SaverForm& form, UINT_PTR id, UINT ms, bool& enabled)
{
    if (SetTimer(form.window, id, ms, nullptr) != 0) enabled = true;
}

void disableTimer(SaverForm& form, UINT_PTR id, bool& enabled)
{
    KillTimer(form.window, id);
    enabled = false;
}

// The full path is the program name and there is no command line, so a
// folder with spaces can never make the system start another program.
void startRenderer(SaverForm& form)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(form.RendererPath.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return;
    }
    CloseHandle(process.hThread);
    form.renderer = process.hProcess;
}

bool rendererAlive(const SaverForm& form)
{
    return form.renderer != nullptr && WaitForSingleObject(form.renderer, 0) == WAIT_TIMEOUT;
}

void startMusic(SaverForm& form)
{
    if (BGM_Kind == 1) {
        CdOpen();
        enableTimer(form, Timer2, kTimer2Ms, form.timer2Enabled);
    }
    if (BGM_Kind == 2) {
        const std::string kind = FileKind(BGM_File);
        if (kind == "WAV") WavPlay();
        if (kind == "MP3") {
            Mp3Open();
            enableTimer(form, Timer1, kTimer1Ms, form.timer1Enabled);
        }
    }
}

void onLoad(SaverForm& form)
{
    form.RendererPath = ProgramFolder() + "\\Sorvelin.dll";
    form.watch.started(GetTickCount());
    startRenderer(form);   // always before the music
    startMusic(form);
}

// Whatever its cause: music off, cursor back for a show that hid it, and end.
[[noreturn]] void onUnload(SaverForm& form)
{
    if (form.timer2Enabled) {
        disableTimer(form, Timer2, form.timer2Enabled);
        CdClose();
    }
    if (BGM_Kind == 2) {
        const std::string kind = FileKind(BGM_File);
        if (kind == "WAV") WavStop();
        if (kind == "MP3") {
            disableTimer(form, Timer1, form.timer1Enabled);
            Mp3Close();
        }
    }
    if (form.mode == 'S') ShowCursor(TRUE);
    // The renderer is left alone: it ends by itself.
    EndProgram();
}

void onTimer(SaverForm& form, UINT_PTR id)
{
    switch (id) {
    case Timer1:
        Mp3Tick();
        break;
    case Timer2:
        CdTick();
        if (!CdKeepPolling) disableTimer(form, Timer2, form.timer2Enabled);
        break;
    case Timer3: {
        const bool present = FindWindowA(nullptr, kRendererTitle) != nullptr;
        if (!form.watch.keepShowing(present, rendererAlive(form), GetTickCount())) {
            KillTimer(form.window, Timer3);
            onUnload(form);
        }
        break;
    }
    default:
        break;
    }
}

LRESULT CALLBACK saverFormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TIMER:
        onTimer(gForm, wParam);
        return 0;
    case WM_CLOSE:
        onUnload(gForm);
    case WM_QUERYENDSESSION:
        return TRUE;   // log-off or shutdown is never refused
    case WM_ENDSESSION:
        if (wParam) onUnload(gForm);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

} // namespace

void LoadSaverForm(char mode)
{
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = saverFormProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kFormClass;
    RegisterClassA(&windowClass);

    gForm.mode = mode;
    // Created hidden and never shown: the picture is the renderer's.
    gForm.window = CreateWindowExA(WS_EX_TOOLWINDOW, kFormClass, kFormTitle, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                   instance, nullptr);
    if (gForm.window == nullptr) EndProgram();
    SetTimer(gForm.window, Timer3, kTimer3Ms, nullptr);
    onLoad(gForm);
}
