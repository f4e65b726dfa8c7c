#include <windows.h>

#include "preview_form.h"

#include "command_line.h"
#include "host_main.h"
#include "resource_ids.h"

namespace {

const char* const kFormClass = "Velmorani_R";
const char* const kFormTitle = "Preview Window";
constexpr UINT kParentPollMs = 250;

struct PreviewForm {
    HWND window = nullptr;
    HWND parent = nullptr;
    HBITMAP Img_Prev = nullptr;   // loaded once, drawn at its own size
};

PreviewForm gPreview;

// The picture at its own size from the top-left corner, black elsewhere.
void drawPreview(const PreviewForm& form, HDC dc)
{
    RECT client;
    GetClientRect(form.window, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));

    BITMAP info = {};
    HDC source = CreateCompatibleDC(dc);
    if (source != nullptr && form.Img_Prev != nullptr && GetObjectA(form.Img_Prev, sizeof(info), &info) != 0) {
        HGDIOBJ previous = SelectObject(source, form.Img_Prev);
        BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
        SelectObject(source, previous);
    }
    if (source != nullptr) DeleteDC(source);
}

void paint(const PreviewForm& form)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(form.window, &paint);
    if (dc == nullptr) return;
    drawPreview(form, dc);
    EndPaint(form.window, &paint);
}

LRESULT CALLBACK previewFormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        paint(gPreview);
        return 0;
    case WM_PRINTCLIENT:
        drawPreview(gPreview, reinterpret_cast<HDC>(wParam));
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

// NOTE: when the preview area's process ends, some systems remove our child
// window without sending it WM_DESTROY; a thread timer notices the loss.
void CALLBACK watchParent(HWND, UINT, UINT_PTR, DWORD)
{
    if (!IsWindow(gPreview.parent) || !IsWindow(gPreview.window)) EndProgram();
}

} // namespace

void StartPreview(const std::string& arguments)
{
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    gPreview.parent = reinterpret_cast<HWND>(static_cast<INT_PTR>(PreviewHandleFrom(arguments)));

    int width = 0, height = 0;
    RECT area;
    if (gPreview.parent != nullptr && GetWindowRect(gPreview.parent, &area)) {
        width = area.right - area.left;
        height = area.bottom - area.top;
    }

    gPreview.Img_Prev = static_cast<HBITMAP>(
        LoadImageA(instance, MAKEINTRESOURCEA(IDB_PREVIEW), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));

    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = previewFormProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kFormClass;
    RegisterClassA(&windowClass);

    // No border and no caption; hidden until it sits inside the preview area.
    gPreview.window = CreateWindowExA(0, kFormClass, kFormTitle, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance,
                                      nullptr);
    if (gPreview.window == nullptr) EndProgram();

    const LONG style = GetWindowLongA(gPreview.window, GWL_STYLE);
    SetWindowLongA(gPreview.window, GWL_STYLE, style | WS_CHILD);
    SetParent(gPreview.window, gPreview.parent);
    MoveWindow(gPreview.window, 0, 0, width, height, FALSE);
    ShowWindow(gPreview.window, SW_SHOWNORMAL);
    UpdateWindow(gPreview.window);

    SetTimer(nullptr, 0, kParentPollMs, watchParent);
}
