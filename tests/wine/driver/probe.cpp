// Test driver run under Wine. Each command prints key=value lines on stdout
// and exits 0 when what it looked for was found.
//
//   probe window TITLE [WAIT_MS]      wait for a top-level window, describe it
//   probe gone TITLE WAIT_MS          wait until no window has that title
//   probe display                     the current display mode
//   probe post TITLE MESSAGE [WPARAM] post a message to the window
//   probe cursor                      whether the cursor is showing
//   probe launch PATH TITLE [WAIT_MS] start PATH, report when its window
//                                     appears and, at its end, its exit code
//   probe blank TITLE [W H]           a plain window that appears at once,
//                                     ends on WM_CLOSE (start-up baseline,
//                                     instance marker, preview area)
//   probe children TITLE              the window's child windows
//   probe usage PID                   memory, handle and GUI object counts
//   probe text TITLE [WAIT_MS]        the window's text and its children's,
//                                     read as Unicode, printed as UTF-8
//   probe escape TITLE PID            press Escape in the window (a posted
//                                     key-down, as the keyboard delivers it),
//                                     then time until the window has gone
//                                     and until process PID has ended
//   probe focus TITLE                 the window holding the keyboard focus
//                                     in that window's thread: its class and
//                                     its place in the window's client area
//   probe kill TITLE                  ends the process that owns the window,
//                                     as a crash would, and waits for its end
//   probe monitors                    every monitor's rectangle and which is
//                                     the primary, with the system's count
//   probe titled TITLE                every top-level window with that title:
//                                     rectangle, styles, visibility, owner
//   probe tap TITLE WAIT_MS           as soon as the window appears, post an
//                                     Escape key-down and its key-up together
//   probe lock PATH TITLE             holds the file open sharing nothing, as
//                                     another program may, while a plain
//                                     window with that title is open
//
// Copied as Sorvelin.dll and started without arguments, it stands in for a
// renderer that is slow to open its window: it waits SORVELIN_SLOW_RENDERER_MS
// (default 1500) before showing a window titled Velmorani_VC.

#include <windows.h>
#include <psapi.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Titles arrive as UTF-8 and are looked up as Unicode, so Japanese titles
// are found whatever the system's code page.
HWND findTitled(const char* title)
{
    const int size = MultiByteToWideChar(CP_UTF8, 0, title, -1, nullptr, 0);
    std::wstring wide(size > 0 ? size : 1, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, title, -1, &wide[0], size);
    return FindWindowW(nullptr, wide.c_str());
}

HWND waitForWindow(const char* title, DWORD waitMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        HWND window = findTitled(title);
        if (window != nullptr || GetTickCount() - start >= waitMs) return window;
        Sleep(5);
    }
}

int describeWindow(const char* title, DWORD waitMs)
{
    HWND window = waitForWindow(title, waitMs);
    if (window == nullptr) {
        std::printf("found=0\n");
        return 1;
    }
    char className[256] = {};
    GetClassNameA(window, className, sizeof(className));
    RECT outer = {};
    GetWindowRect(window, &outer);
    RECT client = {};
    GetClientRect(window, &client);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    std::printf("found=1\nclass=%s\nstyle=0x%08lx\nexstyle=0x%08lx\n", className,
                static_cast<unsigned long>(GetWindowLongA(window, GWL_STYLE)),
                static_cast<unsigned long>(GetWindowLongA(window, GWL_EXSTYLE)));
    std::printf("outer=%ld %ld %ld %ld\nclient=%ld %ld\npid=%lu\nvisible=%d\n", outer.left, outer.top,
                outer.right, outer.bottom, client.right, client.bottom, static_cast<unsigned long>(pid),
                IsWindowVisible(window) ? 1 : 0);
    return 0;
}

int waitGone(const char* title, DWORD waitMs)
{
    const DWORD start = GetTickCount();
    while (findTitled(title) != nullptr) {
        if (GetTickCount() - start >= waitMs) {
            std::printf("gone=0\n");
            return 1;
        }
        Sleep(5);
    }
    std::printf("gone=1\nafter_ms=%lu\n", static_cast<unsigned long>(GetTickCount() - start));
    return 0;
}

int describeDisplay()
{
    DEVMODEA mode = {};
    mode.dmSize = sizeof(mode);
    if (!EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode)) return 1;
    std::printf("width=%lu\nheight=%lu\nbits=%lu\n", static_cast<unsigned long>(mode.dmPelsWidth),
                static_cast<unsigned long>(mode.dmPelsHeight), static_cast<unsigned long>(mode.dmBitsPerPel));
    return 0;
}

int postTo(const char* title, UINT message, WPARAM wParam)
{
    HWND window = findTitled(title);
    if (window == nullptr || !PostMessageA(window, message, wParam, 0)) return 1;
    std::printf("posted=1\n");
    return 0;
}

int describeCursor()
{
    CURSORINFO info = {};
    info.cbSize = sizeof(info);
    if (!GetCursorInfo(&info)) return 1;
    std::printf("showing=%d\n", (info.flags & CURSOR_SHOWING) ? 1 : 0);
    return 0;
}

int launch(const char* path, const char* title, DWORD waitMs, const std::string& arguments)
{
    // The path is the program name; arguments, if any, follow it quoted.
    std::string commandLine = "\"" + std::string(path) + "\"" + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    LARGE_INTEGER frequency, started, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&started);
    if (!CreateProcessA(path, arguments.empty() ? nullptr : &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        std::printf("started=0\n");
        return 1;
    }
    std::printf("started=1\npid=%lu\n", static_cast<unsigned long>(process.dwProcessId));
    std::fflush(stdout);

    const DWORD deadline = GetTickCount() + waitMs;
    bool seen = false;
    while (!seen && GetTickCount() < deadline) {
        seen = findTitled(title) != nullptr;
        if (!seen && WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) break;
    }
    QueryPerformanceCounter(&now);
    if (seen) {
        const double ms = 1000.0 * static_cast<double>(now.QuadPart - started.QuadPart) /
                          static_cast<double>(frequency.QuadPart);
        std::printf("window_ms=%.1f\n", ms);
    } else {
        std::printf("window_ms=none\n");
    }
    std::fflush(stdout);

    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    std::printf("exit=%ld\n", static_cast<long>(code));
    std::fflush(stdout);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}

LRESULT CALLBACK blankProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

int blankWindow(const char* title, int width, int height)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = blankProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "ProbeBlank";
    if (!RegisterClassA(&windowClass)) return 1;
    HWND window = CreateWindowExA(0, "ProbeBlank", title, WS_POPUP, 0, 0, width, height, nullptr, nullptr,
                                  windowClass.hInstance, nullptr);
    if (window == nullptr) return 1;
    ShowWindow(window, SW_SHOWNORMAL);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    return 0;
}

std::string utf8(const wchar_t* text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(size > 0 ? size - 1 : 0, '\0');
    if (size > 1) WideCharToMultiByte(CP_UTF8, 0, text, -1, &out[0], size, nullptr, nullptr);
    return out;
}

BOOL CALLBACK printChildText(HWND child, LPARAM)
{
    // GetWindowText gives only the stored caption of another process's window;
    // an edit box's typed text has to be asked for.
    wchar_t text[1024] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(child, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &copied);
    wchar_t className[64] = {};
    GetClassNameW(child, className, 64);
    std::printf("child=%s|%s\n", utf8(className).c_str(), utf8(text).c_str());
    return TRUE;
}

BOOL CALLBACK printChild(HWND child, LPARAM)
{
    char className[256] = {}, title[256] = {};
    GetClassNameA(child, className, sizeof(className));
    GetWindowTextA(child, title, sizeof(title));
    RECT rect = {};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    DWORD pid = 0;
    GetWindowThreadProcessId(child, &pid);
    std::printf("child=%s|%s|0x%08lx|%ld %ld %ld %ld|%lu\n", className, title,
                static_cast<unsigned long>(GetWindowLongA(child, GWL_STYLE)), rect.left, rect.top, rect.right,
                rect.bottom, static_cast<unsigned long>(pid));
    return TRUE;
}

int describeChildren(const char* title)
{
    HWND window = findTitled(title);
    if (window == nullptr) return 1;
    std::printf("hwnd=%llu\n", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)));
    EnumChildWindows(window, printChild, 0);
    return 0;
}

int describeUsage(DWORD pid)
{
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (process == nullptr) return 1;
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof(memory);
    DWORD handles = 0;
    GetProcessHandleCount(process, &handles);
    GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof(memory));
    std::printf("handles=%lu\nworking_set_kb=%llu\nprivate_kb=%llu\ngdi=%lu\nuser=%lu\n",
                static_cast<unsigned long>(handles), static_cast<unsigned long long>(memory.WorkingSetSize / 1024),
                static_cast<unsigned long long>(memory.PrivateUsage / 1024),
                static_cast<unsigned long>(GetGuiResources(process, GR_GDIOBJECTS)),
                static_cast<unsigned long>(GetGuiResources(process, GR_USEROBJECTS)));
    CloseHandle(process);
    return 0;
}

int describeText(const char* title, DWORD waitMs)
{
    HWND window = waitForWindow(title, waitMs);
    if (window == nullptr) {
        std::printf("found=0\n");
        return 1;
    }
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    std::printf("found=1\ntitle=%s\n", utf8(text).c_str());
    EnumChildWindows(window, printChildText, 0);
    return 0;
}

int describeFocus(const char* title)
{
    HWND window = findTitled(title);
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    if (window == nullptr || !GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) {
        std::printf("found=0\n");
        return 1;
    }
    std::printf("found=1\n");
    if (info.hwndFocus == nullptr) {
        std::printf("focus=none\n");
        return 0;
    }
    char className[256] = {};
    GetClassNameA(info.hwndFocus, className, sizeof(className));
    RECT place = {};
    GetWindowRect(info.hwndFocus, &place);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
    std::printf("focus=%s\nplace=%ld %ld %ld %ld\n", className, place.left, place.top, place.right, place.bottom);
    return 0;
}

double msSince(const LARGE_INTEGER& start)
{
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Only the key-down: a key-up right behind it could clear the flag before
// the renderer's next animation step reads it.
int timeEscape(const char* title, DWORD pid)
{
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    HWND window = findTitled(title);
    if (process == nullptr || window == nullptr) {
        if (process != nullptr) CloseHandle(process);
        std::printf("found=0\n");
        return 1;
    }
    LARGE_INTEGER pressed;
    QueryPerformanceCounter(&pressed);
    PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 1);
    while (IsWindow(window) && msSince(pressed) < 10000) Sleep(1);
    const double windowGone = msSince(pressed);
    const bool ended = WaitForSingleObject(process, 10000) == WAIT_OBJECT_0;
    const double processGone = msSince(pressed);
    CloseHandle(process);
    std::printf("found=1\nwindow_gone_ms=%.1f\n", windowGone);
    if (ended) std::printf("process_gone_ms=%.1f\n", processGone);
    return ended ? 0 : 1;
}

int killOwner(const char* title)
{
    HWND window = findTitled(title);
    DWORD pid = 0;
    if (window == nullptr || GetWindowThreadProcessId(window, &pid) == 0) return 1;
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
    if (process == nullptr) return 1;
    const bool ended = TerminateProcess(process, 3) && WaitForSingleObject(process, 10000) == WAIT_OBJECT_0;
    CloseHandle(process);
    if (!ended) return 1;
    std::printf("killed=%lu\n", static_cast<unsigned long>(pid));
    return 0;
}

BOOL CALLBACK printMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM)
{
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoA(monitor, &info)) return TRUE;
    const RECT& r = info.rcMonitor;
    std::printf("monitor=%ld %ld %ld %ld|%d\n", r.left, r.top, r.right, r.bottom,
                (info.dwFlags & MONITORINFOF_PRIMARY) ? 1 : 0);
    return TRUE;
}

int describeMonitors()
{
    std::printf("count=%d\nvirtual=%d %d %d %d\n", GetSystemMetrics(SM_CMONITORS),
                GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
    return EnumDisplayMonitors(nullptr, nullptr, printMonitor, 0) ? 0 : 1;
}

// The title arrives through lParam; every match is printed, in Z order from the top.
BOOL CALLBACK printTitled(HWND window, LPARAM title)
{
    char text[256] = {};
    GetWindowTextA(window, text, sizeof(text));
    if (std::strcmp(text, reinterpret_cast<const char*>(title)) != 0) return TRUE;
    RECT rect = {};
    GetWindowRect(window, &rect);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    std::printf("window=%ld %ld %ld %ld|0x%08lx|0x%08lx|%d|%llu|%lu\n", rect.left, rect.top, rect.right, rect.bottom,
                static_cast<unsigned long>(GetWindowLongA(window, GWL_STYLE)),
                static_cast<unsigned long>(GetWindowLongA(window, GWL_EXSTYLE)), IsWindowVisible(window) ? 1 : 0,
                static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(GetWindow(window, GW_OWNER))),
                static_cast<unsigned long>(pid));
    return TRUE;
}

int describeTitled(const char* title)
{
    return EnumWindows(printTitled, reinterpret_cast<LPARAM>(title)) ? 0 : 1;
}

// Both halves of a tap at once, so both are queued before the renderer's next
// animation step: the press must count all the same.
int tapEscape(const char* title, DWORD waitMs)
{
    HWND window = waitForWindow(title, waitMs);
    if (window == nullptr) {
        std::printf("found=0\n");
        return 1;
    }
    const bool posted = PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0x00010001) &&
                        PostMessageA(window, WM_KEYUP, VK_ESCAPE, static_cast<LPARAM>(0xC0010001));
    std::printf("found=1\ntapped=%d\n", posted ? 1 : 0);
    return posted ? 0 : 1;
}

int lockFile(const char* path, const char* title)
{
    const int size = MultiByteToWideChar(CP_UTF8, 0, path, -1, nullptr, 0);
    std::wstring wide(size > 0 ? size : 1, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, path, -1, &wide[0], size);
    HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    const int result = blankWindow(title, 200, 100);
    CloseHandle(file);
    return result;
}

DWORD numberArg(int argc, char** argv, int index, DWORD fallback)
{
    return argc > index ? static_cast<DWORD>(std::strtoul(argv[index], nullptr, 0)) : fallback;
}

} // namespace

bool startedAsRenderer()
{
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    const char* name = "Sorvelin.dll";
    const DWORD nameLength = static_cast<DWORD>(std::strlen(name));
    return length >= nameLength && _stricmp(path + length - nameLength, name) == 0;
}

int slowRenderer()
{
    const char* delay = std::getenv("SORVELIN_SLOW_RENDERER_MS");
    Sleep(delay != nullptr ? static_cast<DWORD>(std::strtoul(delay, nullptr, 10)) : 1500);
    return blankWindow("Velmorani_VC", 200, 100);
}

// The arguments as UTF-8, taken from the Unicode command line.
std::vector<std::string> utf8Arguments()
{
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 0; i < count; ++i) arguments.push_back(utf8(wide[i]));
    LocalFree(wide);
    return arguments;
}

int main(int, char**)
{
    std::vector<std::string> words = utf8Arguments();
    std::vector<char*> pointers;
    for (std::string& word : words) pointers.push_back(&word[0]);
    const int argc = static_cast<int>(pointers.size());
    char** argv = pointers.data();
    if (argc < 2 && startedAsRenderer()) return slowRenderer();
    if (argc < 2) return 2;
    const char* command = argv[1];
    if (std::strcmp(command, "window") == 0 && argc >= 3) return describeWindow(argv[2], numberArg(argc, argv, 3, 0));
    if (std::strcmp(command, "gone") == 0 && argc >= 3) return waitGone(argv[2], numberArg(argc, argv, 3, 0));
    if (std::strcmp(command, "display") == 0) return describeDisplay();
    if (std::strcmp(command, "post") == 0 && argc >= 4)
        return postTo(argv[2], numberArg(argc, argv, 3, 0), numberArg(argc, argv, 4, 0));
    if (std::strcmp(command, "cursor") == 0) return describeCursor();
    if (std::strcmp(command, "launch") == 0 && argc >= 4) {
        std::string arguments;
        for (int i = 5; i < argc; ++i) {
            const std::string argument = argv[i];
            const bool quote = argument.find(' ') != std::string::npos;
            arguments += quote ? " \"" + argument + "\"" : " " + argument;
        }
        return launch(argv[2], argv[3], numberArg(argc, argv, 4, 10000), arguments);
    }
    if (std::strcmp(command, "blank") == 0 && argc >= 3)
        return blankWindow(argv[2], static_cast<int>(numberArg(argc, argv, 3, 200)),
                           static_cast<int>(numberArg(argc, argv, 4, 100)));
    if (std::strcmp(command, "children") == 0 && argc >= 3) return describeChildren(argv[2]);
    if (std::strcmp(command, "usage") == 0 && argc >= 3) return describeUsage(numberArg(argc, argv, 2, 0));
    if (std::strcmp(command, "focus") == 0 && argc >= 3) return describeFocus(argv[2]);
    if (std::strcmp(command, "escape") == 0 && argc >= 4) return timeEscape(argv[2], numberArg(argc, argv, 3, 0));
    if (std::strcmp(command, "kill") == 0 && argc >= 3) return killOwner(argv[2]);
    if (std::strcmp(command, "monitors") == 0) return describeMonitors();
    if (std::strcmp(command, "titled") == 0 && argc >= 3) return describeTitled(argv[2]);
    if (std::strcmp(command, "tap") == 0 && argc >= 3) return tapEscape(argv[2], numberArg(argc, argv, 3, 10000));
    if (std::strcmp(command, "lock") == 0 && argc >= 4) return lockFile(argv[2], argv[3]);
    if (std::strcmp(command, "text") == 0 && argc >= 3) return describeText(argv[2], numberArg(argc, argv, 3, 0));
    return 2;
}
