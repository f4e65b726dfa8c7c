#include "command_button.h"

#include <oleacc.h>

#include <cmath>

#include "gdi_drawing.h"
#include "resource_ids.h"
#include "window_binding.h"

namespace {

const wchar_t* const kClassName = L"Command";
constexpr UINT_PTR kHoverTimer = 1;

// The six state images, loaded once for every button of the process.
HBITMAP stateImage(Face face)
{
    static HBITMAP images[6] = {};
    const int index = static_cast<int>(face);
    if (images[index] == nullptr) {
        images[index] = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr),
                                                        MAKEINTRESOURCEW(IDB_BUTTON_NORMAL + index), IMAGE_BITMAP,
                                                        0, 0, LR_CREATEDIBSECTION));
    }
    return images[index];
}

bool registerClass()
{
    static bool registered = false;
    if (registered) return true;
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = ownedWindowProc<CommandButton>;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.lpszClassName = kClassName;
    registered = RegisterClassExW(&windowClass) != 0;
    return registered;
}

// Screen readers meet the button as the system's own push button, named by
// its window text: "設定, button".
LRESULT accessibleAsPushButton(HWND window, WPARAM wParam)
{
    IAccessible* proxy = nullptr;
    if (FAILED(CreateStdAccessibleProxyW(window, L"Button", OBJID_CLIENT, IID_IAccessible,
                                         reinterpret_cast<void**>(&proxy))) || proxy == nullptr) {
        return 0;
    }
    const LRESULT result = LresultFromObject(IID_IAccessible, wParam, proxy);
    proxy->Release();
    return result > 0 ? result : 0;
}

} // namespace

CommandButton::~CommandButton()
{
    if (window_ != nullptr) {
        KillTimer(window_, kHoverTimer);
        // Nothing may reach this object once it is gone.
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    }
    if (captionFont_ != nullptr) DeleteObject(captionFont_);
}

bool CommandButton::create(HWND parent, const TwipRect& place, double twipsPerPixel, const PropertyStore& store,
                           const FontSpec& ambientFont)
{
    if (!registerClass()) return false;
    twipsPerPixel_ = twipsPerPixel;
    widthTwips_ = place.width;
    heightTwips_ = place.height;
    // The container loads the stored properties first; the window's first
    // size change, during its creation, then draws the face they call for.
    LoadStoredProperties(store, ambientFont);
    const PixelRect pixels = ToPixels(place, twipsPerPixel);
    const DWORD style = WS_CHILD | WS_VISIBLE | (captionEnabled() ? WS_TABSTOP : 0);
    if (CreateWindowExW(0, kClassName, Caption().c_str(), style, pixels.x, pixels.y, pixels.width, pixels.height,
                        parent, nullptr, GetModuleHandleW(nullptr), this) == nullptr) {
        return false;
    }
    if (!surface_.ready()) {   // no size change came with the creation
        makeSurface();
        sizeChanged();
    }
    return true;
}

void CommandButton::rescale(const TwipRect& place, double twipsPerPixel)
{
    if (window_ == nullptr) return;
    twipsPerPixel_ = twipsPerPixel;
    widthTwips_ = place.width;
    heightTwips_ = place.height;
    captionChanged();
    RECT before;
    GetClientRect(window_, &before);
    const PixelRect pixels = ToPixels(place, twipsPerPixel);
    MoveWindow(window_, pixels.x, pixels.y, pixels.width, pixels.height, TRUE);
    // Same size in pixels: no size change comes, yet the face is drawn at the new scale.
    if (before.right == pixels.width && before.bottom == pixels.height) {
        makeSurface();
        sizeChanged();
    }
}

void CommandButton::makeSurface()
{
    RECT client;
    GetClientRect(window_, &client);
    surface_.make(window_, client.right, client.bottom);
}

void CommandButton::FillGradient()
{
    RECT client;
    GetClientRect(window_, &client);
    const FaceGradient colours = GradientFor(logic().GradientReversed);
    TRIVERTEX vertices[2] = {};
    vertices[0].x = 0;
    vertices[0].y = 0;
    vertices[0].Red = colours.top.red;
    vertices[0].Green = colours.top.green;
    vertices[0].Blue = colours.top.blue;
    // The rectangle ends before the last column and row; the frame covers them.
    vertices[1].x = client.right - 1;
    vertices[1].y = client.bottom - 1;
    vertices[1].Red = colours.bottom.red;
    vertices[1].Green = colours.bottom.green;
    vertices[1].Blue = colours.bottom.blue;
    GRADIENT_RECT rect = {0, 1};
    GradientFill(surface_.dc(), vertices, 2, &rect, 1, GRADIENT_FILL_RECT_V);
}

void CommandButton::renderFace(Face face)
{
    if (!surface_.ready()) return;
    RECT client;
    GetClientRect(window_, &client);
    FillRect(surface_.dc(), &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FillGradient();

    HBITMAP image = stateImage(face);
    HDC source = CreateCompatibleDC(surface_.dc());
    if (image != nullptr && source != nullptr) {
        HGDIOBJ previous = SelectObject(source, image);
        // Plain scaling, no smoothing, no blending.
        SetStretchBltMode(surface_.dc(), COLORONCOLOR);
        for (const FacePiece& piece : FacePieces(widthTwips_, heightTwips_)) {
            const PixelRect to = ToPixels(piece.destination, twipsPerPixel_);
            // The image itself is designed at 15 twips a pixel.
            const PixelRect from = ToPixels(piece.source, 15.0);
            StretchBlt(surface_.dc(), to.x, to.y, to.width, to.height, source, from.x, from.y, from.width, from.height,
                       SRCCOPY);
        }
        SelectObject(source, previous);
    }
    if (source != nullptr) DeleteDC(source);

    captionTop_ = static_cast<int>(std::floor(CaptionTop(heightTwips_) / twipsPerPixel_ + 0.5));
    InvalidateRect(window_, nullptr, FALSE);
}

void CommandButton::captionChanged()
{
    if (captionFont_ != nullptr) DeleteObject(captionFont_);
    captionFont_ = MakeFont(Font(), twipsPerPixel_);
    if (window_ == nullptr) return;
    // The window text is what assistive technology reads out.
    SetWindowTextW(window_, Caption().c_str());
    // The caption follows Enabled; so does the tab order, or Tab would park
    // the focus on a button that ignores everything.
    const LONG_PTR style = GetWindowLongPtrW(window_, GWL_STYLE);
    SetWindowLongPtrW(window_, GWL_STYLE, captionEnabled() ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
    InvalidateRect(window_, nullptr, FALSE);
}

void CommandButton::raiseClick()
{
    if (Click) Click();
}

void CommandButton::startHoverPoll()
{
    SetTimer(window_, kHoverTimer, kHoverPollMs, nullptr);
}

// Over the control exactly while the topmost window under the pointer is its own.
void CommandButton::pollHover()
{
    POINT pointer;
    if (!GetCursorPos(&pointer)) return;
    timerTick(WindowFromPoint(pointer) == window_);
}

void CommandButton::paint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window_, &ps);
    if (dc == nullptr) return;
    RECT client;
    GetClientRect(window_, &client);
    if (opaque()) surface_.copyTo(dc, client.right, client.bottom);

    // The caption: centred, transparent, one line high; greyed and embossed when disabled.
    HGDIOBJ previous = SelectObject(dc, captionFont_);
    SetBkMode(dc, TRANSPARENT);
    const int captionHeight = static_cast<int>(std::lround(kCaptionHeightTwips / twipsPerPixel_));
    RECT line = {0, captionTop_, client.right, captionTop_ + captionHeight};
    const std::wstring& text = Caption();
    const UINT format = DT_CENTER | DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER;
    if (captionEnabled()) {
        SetTextColor(dc, static_cast<COLORREF>(captionColour()));
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &line, format);
    } else {
        RECT shadow = line;
        OffsetRect(&shadow, 1, 1);
        SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &shadow, format);
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &line, format);
    }
    SelectObject(dc, previous);
    EndPaint(window_, &ps);
}

// The focus arrives before the press, as with any push button.
void CommandButton::pressed(bool left)
{
    if (logic().Enabled && GetFocus() != window_) SetFocus(window_);
    SetCapture(window_);
    buttonDown(left);
}

void CommandButton::released(bool left)
{
    if (GetCapture() == window_) ReleaseCapture();
    buttonUp(left);
}

LRESULT CommandButton::onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCCREATE:
        window_ = window;
        return defaultWindowProc(window, message, wParam, lParam);
    case WM_NCDESTROY:
        KillTimer(window_, kHoverTimer);
        window_ = nullptr;
        return defaultWindowProc(window, message, wParam, lParam);
    case WM_GETOBJECT:
        if (static_cast<LONG>(lParam) == static_cast<LONG>(OBJID_CLIENT)) {
            const LRESULT accessible = accessibleAsPushButton(window, wParam);
            if (accessible != 0) return accessible;
        }
        return defaultWindowProc(window, message, wParam, lParam);
    case WM_PAINT:
        paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_MOUSEMOVE:
        mouseMove();
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        pressed(true);
        return 0;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        pressed(false);
        return 0;
    case WM_LBUTTONUP:
        released(true);
        return 0;
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        released(false);
        return 0;
    case WM_SETFOCUS:
        focusGained();
        return 0;
    case WM_KILLFOCUS:
        focusLost();
        return 0;
    case WM_TIMER:
        if (wParam == kHoverTimer) pollHover();
        return 0;
    case WM_SIZE:
        makeSurface();
        sizeChanged();
        return 0;
    case WM_GETDLGCODE:
        return 0;   // no key ever activates the button
    default:
        return defaultWindowProc(window, message, wParam, lParam);
    }
}
