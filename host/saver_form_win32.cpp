#include <windows.h>

#include "saver_form.h"

#include "display_restore.h"
#include "host_main.h"
#include "music/music_player.h"
#include "renderer_watch.h"
#include "settings/settings_file.h"
#include "show_timers.h"
#include "what_plays.h"
#include "window_binding.h"

namespace {

const char* const kFormClass = "Velmorani_S";
const char* const kFormTitle = "Velmorani_Main";
const char* const kRendererTitle = "Velmorani_VC";

enum TimerId : UINT_PTR { Timer1 = 1, Timer2 = 2, Timer3 = 3 };

class SaverForm {
public:
    explicit SaverForm(char mode) : mode_(mode) {}

    LRESULT onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void onLoad(HWND window);

private:
    void enableTimer(UINT_PTR id, UINT ms, bool& enabled);
    void disableTimer(UINT_PTR id, bool& enabled);
    void startRenderer();
    bool rendererAlive() const;
    void startMusic();
    void onTimer(UINT_PTR id);
    void onWatchTick();
    [[noreturn]] void onUnload();

    HWND window_ = nullptr;
    char mode_ = '\0';
    std::string RendererPath;
    HANDLE renderer_ = nullptr;   // to tell a slow renderer from one that is gone
    RendererWatch watch_;
    MusicSource music_ = MusicSource::None;
    bool timer1Enabled_ = false;
    bool timer2Enabled_ = false;
};

void SaverForm::enableTimer(UINT_PTR id, UINT ms, bool& enabled)
{
    if (SetTimer(window_, id, ms, nullptr) != 0) enabled = true;
}

void SaverForm::disableTimer(UINT_PTR id, bool& enabled)
{
    KillTimer(window_, id);
    enabled = false;
}

// The full path is the program name and there is no command line, so a
// folder with spaces can never make the system start another program.
void SaverForm::startRenderer()
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(RendererPath.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return;
    }
    CloseHandle(process.hThread);
    renderer_ = process.hProcess;
}

bool SaverForm::rendererAlive() const
{
    return renderer_ != nullptr && WaitForSingleObject(renderer_, 0) == WAIT_TIMEOUT;
}

void SaverForm::startMusic()
{
    switch (music_) {
    case MusicSource::Cd:
        CdOpen();
        enableTimer(Timer2, kTimer2Ms, timer2Enabled_);
        break;
    case MusicSource::Wav:
        WavPlay();
        break;
    case MusicSource::Mp3:
        Mp3Open();
        enableTimer(Timer1, kTimer1Ms, timer1Enabled_);
        break;
    case MusicSource::None:
        break;
    }
}

void SaverForm::onLoad(HWND window)
{
    window_ = window;
    RendererPath = ProgramFolder() + "\\Sorvelin.dll";
    music_ = WhatPlays(BGM_Kind, BGM_File, FileExists(BGM_File));
    watch_.started();
    startRenderer();   // always before the music
    startMusic();
}

// Whatever its cause: music off, cursor back for a show that hid it, and end.
void SaverForm::onUnload()
{
    switch (music_) {
    case MusicSource::Cd:
        // Polling already stopped (no disc): nothing is sent to the drive.
        if (timer2Enabled_) {
            disableTimer(Timer2, timer2Enabled_);
            CdClose();
        }
        break;
    case MusicSource::Wav:
        WavStop();
        break;
    case MusicSource::Mp3:
        disableTimer(Timer1, timer1Enabled_);
        Mp3Close();
        break;
    case MusicSource::None:
        break;
    }
    if (mode_ == 'S') ShowCursor(TRUE);
    // The renderer is left alone: it ends by itself.
    EndProgram();
}

void SaverForm::onWatchTick()
{
    const bool present = FindWindowA(nullptr, kRendererTitle) != nullptr;
    const bool alive = rendererAlive();
    if (watch_.keepShowing(present, alive, GetTickCount())) return;
    KillTimer(window_, Timer3);
    // A renderer that ended normally put the display back itself; one that
    // was killed or crashed left its mode behind.
    if (!alive) RestoreStoredDisplayMode();
    onUnload();
}

void SaverForm::onTimer(UINT_PTR id)
{
    switch (id) {
    case Timer1:
        Mp3Tick();
        break;
    case Timer2:
        CdTick();
        if (!CdKeepPolling) disableTimer(Timer2, timer2Enabled_);
        break;
    case Timer3:
        onWatchTick();
        break;
    default:
        break;
    }
}

LRESULT SaverForm::onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TIMER:
        onTimer(wParam);
        return 0;
    case WM_CLOSE:
        onUnload();
    case WM_QUERYENDSESSION:
        return TRUE;   // log-off or shutdown is never refused
    case WM_ENDSESSION:
        if (wParam) onUnload();
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
    windowClass.lpfnWndProc = ownedWindowProc<SaverForm>;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kFormClass;
    RegisterClassA(&windowClass);

    // Lives as long as the program: the form always ends it (EndProgram).
    auto* form = new SaverForm(mode);
    // Created hidden and never shown: the picture is the renderer's.
    HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, kFormClass, kFormTitle, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                  instance, form);
    if (window == nullptr) EndProgram();
    SetTimer(window, Timer3, kTimer3Ms, nullptr);
    form->onLoad(window);
}
