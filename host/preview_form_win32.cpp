#include <windows.h>

#include "preview_form.h"

#include "command_line.h"
#include "host_main.h"
#include "preview_style.h"
#include "resource_ids.h"
#include "window_binding.h"

namespace {

const char* const kFormClass = "Velmorani_R";
const char* const kFormTitle = "Preview Window";
const char* const kWatchTitle = "Velmorani_R watch";
constexpr UINT_PTR kParentPollTimer = 1;
constexpr UINT kParentPollMs = 250;

class PreviewForm {
public:
    LRESULT onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void start(const std::string& arguments);

private:
    void drawPreview(HDC dc) const;
    void paint() const;

    HWND window_ = nullptr;
    HWND watch_ = nullptr;   // message-only: keeps the parent poll's timer
    HWND PreviewParent = nullptr;
    HBITMAP Img_Prev = nullptr;   // loaded once, drawn at its own size
};

// The picture at its own size from the top-left corner, black elsewhere.
void PreviewForm::drawPreview(HDC dc) const
{
    RECT client;
    GetClientRect(window_, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));

    BITMAP info = {};
    HDC source = CreateCompatibleDC(dc);
    if (source != nullptr && Img_Prev != nullptr && GetObjectA(Img_Prev, sizeof(info), &info) != 0) {
        HGDIOBJ previous = SelectObject(source, Img_Prev);
        BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
        SelectObject(source, previous);
    }
    if (source != nullptr) DeleteDC(source);
}

void PreviewForm::paint() const
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    if (dc == nullptr) return;
    drawPreview(dc);
    EndPaint(window_, &paint);
}

LRESULT PreviewForm::onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (window != nullptr && window == watch_) {
        // NOTE: when the preview area's process ends, some systems remove our
        // child window without sending it WM_DESTROY; this poll notices the loss.
        if (message == WM_TIMER && (!IsWindow(PreviewParent) || !IsWindow(window_))) EndProgram();
        return DefWindowProcA(window, message, wParam, lParam);
    }
    switch (message) {
    case WM_PAINT:
        paint();
        return 0;
    case WM_PRINTCLIENT:
        drawPreview(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_ERASEBKGND:
        return 1;   // WM_PAINT fills everything
    case WM_DESTROY:
        // With the preview form gone the program has no window left.
        EndProgram();
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

void PreviewForm::start(const std::string& arguments)
{
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    PreviewParent = reinterpret_cast<HWND>(static_cast<INT_PTR>(PreviewHandleFrom(arguments)));

    int width = 0, height = 0;
    RECT area;
    if (PreviewParent != nullptr && GetWindowRect(PreviewParent, &area)) {
        width = area.right - area.left;
        height = area.bottom - area.top;
    }

    Img_Prev = static_cast<HBITMAP>(
        LoadImageA(instance, MAKEINTRESOURCEA(IDB_PREVIEW), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));

    // Hidden until it sits inside the preview area.
    HWND window = CreateWindowExA(0, kFormClass, kFormTitle, PreviewCreationStyle(), 0, 0, 0, 0, nullptr, nullptr,
                                  instance, this);
    if (window == nullptr) EndProgram();
    window_ = window;

    const LONG style = GetWindowLongA(window_, GWL_STYLE);
    SetWindowLongA(window_, GWL_STYLE, static_cast<LONG>(PreviewChildStyle(static_cast<DWORD>(style))));
    SetParent(window_, PreviewParent);
    MoveWindow(window_, 0, 0, width, height, FALSE);
    ShowWindow(window_, SW_SHOWNORMAL);
    UpdateWindow(window_);

    // A window of this thread only, untouched by whatever happens to the area.
    watch_ = CreateWindowExA(0, kFormClass, kWatchTitle, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, this);
    if (watch_ != nullptr) SetTimer(watch_, kParentPollTimer, kParentPollMs, nullptr);
}

} // namespace

void StartPreview(const std::string& arguments)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ownedWindowProc<PreviewForm>;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kFormClass;
    RegisterClassA(&windowClass);

    // Lives as long as the program: the form's end ends it (EndProgram).
    auto* form = new PreviewForm();
    form->start(arguments);
}
