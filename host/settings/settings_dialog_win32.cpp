// The settings dialog Velmorani_P: music choice, CD track, music file.
// Its labels and box pictures are drawn by the form and the panel
// themselves, over the gradient and the tiled strip.

#include <windows.h>
#include <commdlg.h>
#include <objbase.h>
#include <shellapi.h>

#include "settings_dialog.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "ansi_text.h"
#include "controls/command_button.h"
#include "controls/gdi_drawing.h"
#include "dialog_logic.h"
#include "resource_ids.h"
#include "settings_file.h"
#include "window_binding.h"
#include "zoom_animation.h"

namespace {

const wchar_t* const kFormClass = L"Velmorani_P";
const wchar_t* const kPanelClass = L"Velmorani_P_Panel";
const wchar_t* const kTitle = L"<Sorvelin>";
const wchar_t* const kHomePage = L"https://quonrade.example/sorvelin/";
const wchar_t* const kVersionText = L"Designed by Quonrade Ver.1.0.0";
// OK that could not write: the user must know, or the choice is lost unseen.
const wchar_t* const kSaveFailedText = L"設定を保存できませんでした。次のファイルに書き込めません。\n\n";
// A settings file that is there but could not be read: said once, as the dialog opens.
const wchar_t* const kUnreadText =
    L"設定ファイルを読めませんでした。保存されている設定の代わりに、初期の設定を表示しています。\n\n";
// OK with nothing changed over such a file: it is replaced only when the user says so.
const wchar_t* const kReplaceUnreadText = L"読めなかった設定ファイルを、表示中の設定で置き換えますか？\n\n";
// A chosen music file whose name the settings file cannot hold.
const wchar_t* const kUnspellableFileText =
    L"このファイルは選べません。ファイル名に、設定に記録できない文字があります。\n\n";
const wchar_t* const kMessageCaption = L"Sorvelin (ScreenSaver)";

constexpr int kClientWidthTwips = 7425;
constexpr int kClientHeightTwips = 3690;
constexpr COLORREF kWhite = RGB(255, 255, 255);

// Layout in twips (left, top, width, height), relative to the container.
constexpr TwipRect Pic_C = {180, 240, 7035, 2475};
constexpr TwipRect lbl_Version = {180, 2880, 2475, 195};   // lbl index 7
constexpr TwipRect lbl_URL = {180, 3120, 3285, 195};
constexpr TwipRect Cmd_Set = {4740, 3000, 1215, 375};
constexpr TwipRect Cmd_Can = {6000, 3000, 1215, 375};

// On the panel.
constexpr TwipRect Shape3 = {300, 300, 1695, 315};
constexpr TwipRect lbl_Title = {300, 360, 1665, 195};     // lbl index 15
constexpr TwipRect BGM_Repeat = {1680, 780, 615, 300};
constexpr TwipRect lbl_Repeat = {2340, 840, 990, 195};    // lbl index 14
constexpr TwipRect Cmd_File = {420, 1680, 615, 375};
constexpr TwipRect lbl_Fname = {1080, 1740, 5715, 495};
// Img_BGM and lbl_BGM by the kind they stand for: 0 none, 1 CD, 2 file.
constexpr TwipRect Img_BGM[3] = {{420, 1140, 195, 195}, {420, 840, 195, 195}, {420, 1440, 195, 195}};
// The box pictures' own size (Img_Ra): 12 pixels at 96 dpi, scaled with the display.
constexpr int kBoxPictureTwips = 180;
constexpr TwipRect lbl_BGM[3] = {{660, 1140, 330, 195}, {660, 840, 645, 195}, {660, 1440, 900, 195}};
const wchar_t* const kChoiceText[3] = {L"なし", L"音楽CD", L"MP3、WAV"};

const FontSpec kDialogFont = {L"ＭＳ Ｐゴシック", 9.75, 400, false, false, false, 128};

struct SettingsDialog;

// The panel Pic_C's window finds the dialog through this.
struct DialogPanel {
    SettingsDialog* dialog = nullptr;
    LRESULT onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

struct SettingsDialog {
    HWND window = nullptr;
    DialogPanel panelOwner = {this};
    HWND panel = nullptr;
    HWND repeatList = nullptr;   // BGM_Repeat
    CommandButton setButton, cancelButton, fileButton;
    double twipsPerPixel = 15.0;
    HFONT font = nullptr;
    HFONT linkFont = nullptr;
    HBITMAP strip = nullptr;       // Pic_Mbl
    HBITMAP boxes[2] = {};         // Img_Ra: empty, marked
    HCURSOR hand = nullptr;
    PersistentSurface background;        // the gradient
    PersistentSurface panelBackground;   // the tiled strip
    int shownBox[3] = {0, 0, 0};   // which Img_Ra each Img_BGM shows
    std::wstring fileLabel;        // lbl_Fname
    bool closing = false;
    // What the dialog showed when it opened, to tell whether the user changed anything.
    std::int16_t loadedKind = 0;
    std::int16_t loadedTrack = 0;
    std::string loadedFile;

    RECT pixels(const TwipRect& rect) const
    {
        const PixelRect p = ToPixels(rect, twipsPerPixel);
        return {p.x, p.y, p.x + p.width, p.y + p.height};
    }

    LRESULT onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

// Labels are sized to their text: nothing is cut at the designed width.
void drawText(HDC dc, HFONT font, COLORREF colour, const std::wstring& text, RECT place, UINT format)
{
    HGDIOBJ previous = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &place, format | DT_NOPREFIX);
    SelectObject(dc, previous);
}

// Label sized to its text, from its top-left corner.
RECT textBounds(HWND window, HFONT font, const std::wstring& text, RECT place)
{
    HDC dc = GetDC(window);
    HGDIOBJ previous = SelectObject(dc, font);
    SIZE size = {};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, previous);
    ReleaseDC(window, dc);
    return {place.left, place.top, place.left + size.cx, place.top + size.cy};
}

// ---- the form's background: a vertical gradient drawn line by line ----

void drawGradient(SettingsDialog& dialog)
{
    RECT client;
    GetClientRect(dialog.window, &client);
    if (!dialog.background.make(dialog.window, client.right, client.bottom)) return;
    const int H = static_cast<int>(std::lround(client.bottom * dialog.twipsPerPixel));
    // Several twip lines fall on one pixel row; the last drawn stays, as on screen.
    std::vector<int> rowLevel(static_cast<std::size_t>(client.bottom) + 1, 0);
    for (int y = 0; y <= H; ++y) {
        const int row = static_cast<int>(y / dialog.twipsPerPixel);
        if (row < static_cast<int>(rowLevel.size())) rowLevel[static_cast<std::size_t>(row)] = BackgroundLevel(y, H);
    }
    for (int row = 0; row < client.bottom; ++row) {
        const int v = rowLevel[static_cast<std::size_t>(row)];
        HBRUSH brush = CreateSolidBrush(RGB(v, v, v + 30));
        RECT line = {0, row, client.right, row + 1};
        FillRect(dialog.background.dc(), &line, brush);
        DeleteObject(brush);
    }
}

// ---- the panel: the strip stacked down each column, then the labels ----

void TilePanel(SettingsDialog& dialog)
{
    RECT client;
    GetClientRect(dialog.panel, &client);
    if (!dialog.panelBackground.make(dialog.panel, client.right, client.bottom)) return;
    HBRUSH brush = CreateSolidBrush(RGB(0xE0, 0xE0, 0xE0));
    FillRect(dialog.panelBackground.dc(), &client, brush);
    DeleteObject(brush);

    BITMAP tile = {};
    if (dialog.strip == nullptr || GetObjectW(dialog.strip, sizeof(tile), &tile) == 0) return;
    for (const auto& at : TilePositions(tile.bmWidth, tile.bmHeight, client.right, client.bottom)) {
        CopyPicture(dialog.panelBackground.dc(), dialog.strip, at.first, at.second);
    }
}

// Starts a paint with the window's kept background already in place; null
// when there is nothing to paint.
HDC beginPaintOver(HWND window, PersistentSurface& background, PAINTSTRUCT& ps)
{
    HDC dc = BeginPaint(window, &ps);
    if (dc == nullptr) return nullptr;
    RECT client;
    GetClientRect(window, &client);
    background.copyTo(dc, client.right, client.bottom);
    return dc;
}

void paintPanel(SettingsDialog& dialog)
{
    PAINTSTRUCT ps;
    HDC dc = beginPaintOver(dialog.panel, dialog.panelBackground, ps);
    if (dc == nullptr) return;

    const RECT frame = dialog.pixels(Shape3);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    Rectangle(dc, frame.left, frame.top, frame.right, frame.bottom);
    const RECT nameBox = dialog.pixels(lbl_Fname);
    Rectangle(dc, nameBox.left, nameBox.top, nameBox.right, nameBox.bottom);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);

    drawText(dc, dialog.font, 0, L"BGM", dialog.pixels(lbl_Title), DT_CENTER | DT_SINGLELINE | DT_NOCLIP);
    drawText(dc, dialog.font, 0, L"曲目をﾘﾋﾟｰﾄ", dialog.pixels(lbl_Repeat), DT_LEFT | DT_SINGLELINE | DT_NOCLIP);
    const int boxSize = TwipsToPixels(kBoxPictureTwips, dialog.twipsPerPixel);
    for (int kind = 0; kind < 3; ++kind) {
        const RECT box = dialog.pixels(Img_BGM[kind]);
        CopyPicture(dc, dialog.boxes[dialog.shownBox[kind]], box.left, box.top, boxSize, boxSize);
        drawText(dc, dialog.font, 0, kChoiceText[kind], dialog.pixels(lbl_BGM[kind]), DT_LEFT | DT_SINGLELINE | DT_NOCLIP);
    }
    RECT name = nameBox;
    InflateRect(&name, -2, -2);
    drawText(dc, dialog.font, 0, dialog.fileLabel, name, DT_LEFT | DT_WORDBREAK | DT_EDITCONTROL);
    EndPaint(dialog.panel, &ps);
}

// ---- choices ----

void showChoice(SettingsDialog& dialog, int kind)
{
    for (int& box : dialog.shownBox) box = 0;
    const int marked = MarkedBox(kind);
    if (marked >= 0) dialog.shownBox[marked] = 1;
    InvalidateRect(dialog.panel, nullptr, FALSE);
}

void enableFor(SettingsDialog& dialog, int kind)
{
    const ChoiceControls controls = ControlsForChoice(kind);
    EnableWindow(dialog.repeatList, controls.repeatList);
    dialog.fileButton.setEnabled(controls.fileButton);
}

// Any mouse button on a box or its label; the file and the track stay.
void choose(SettingsDialog& dialog, int kind)
{
    BGM_Kind = static_cast<std::int16_t>(kind);
    EnableWindow(dialog.repeatList, FALSE);
    dialog.fileButton.setEnabled(false);
    showChoice(dialog, kind);
    enableFor(dialog, kind);
}

int choiceAt(SettingsDialog& dialog, POINT point)
{
    for (int kind = 0; kind < 3; ++kind) {
        const RECT box = dialog.pixels(Img_BGM[kind]);
        const RECT label = textBounds(dialog.panel, dialog.font, kChoiceText[kind], dialog.pixels(lbl_BGM[kind]));
        if (PtInRect(&box, point) || PtInRect(&label, point)) return kind;
    }
    return -1;
}

// ---- buttons ----

void closeDialog(SettingsDialog& dialog)
{
    if (dialog.closing) return;
    dialog.closing = true;
    AnimateClose(dialog.window);
    DestroyWindow(dialog.window);
}

void chooseFile(SettingsDialog& dialog)
{
    wchar_t file[256] = {};
    wchar_t title[256] = {};
    const std::wstring folder = WideFromAnsi(BGM_Folder);
    OPENFILENAMEW request = {};
    request.lStructSize = sizeof(request);
    request.hwndOwner = dialog.window;
    request.hInstance = GetModuleHandleW(nullptr);
    request.lpstrFilter = L"BGMﾌｧｲﾙ (MP3 WAV)\0*.MP3;*.WAV\0";
    request.lpstrFile = file;
    request.nMaxFile = 255;
    request.lpstrFileTitle = title;
    request.nMaxFileTitle = 255;
    request.lpstrInitialDir = folder.c_str();
    request.lpstrTitle = L"ﾌｧｲﾙを開く";
    if (!GetOpenFileNameW(&request)) return;   // cancelled: nothing changes

    std::string stored;
    if (!AnsiPathOf(file, stored)) {
        // Stored as it could be spelled, the name would never play: keep the earlier choice.
        const std::wstring message = kUnspellableFileText + std::wstring(file);
        MessageBoxW(dialog.window, message.c_str(), kMessageCaption, MB_OK | MB_ICONWARNING);
        return;
    }
    BGM_File = stored;
    dialog.fileLabel = file;
    BGM_Folder = FolderOf(BGM_File);
    InvalidateRect(dialog.panel, nullptr, FALSE);
}

// A failed write keeps the dialog open, so the user can make the file
// writable and press OK again, or cancel knowingly.
void acceptSettings(SettingsDialog& dialog)
{
    wchar_t text[64] = {};
    GetWindowTextW(dialog.repeatList, text, 64);
    BGM_RepeatTrack = TrackFromText(AnsiFromWide(text));
    const bool changed =
        BGM_Kind != dialog.loadedKind || BGM_RepeatTrack != dialog.loadedTrack || BGM_File != dialog.loadedFile;
    if (SettingsFileUnread && !changed) {
        // The defaults on show are not the user's choice: the file keeps it unless told otherwise.
        const std::wstring question = kReplaceUnreadText + WideFromAnsi(SettingsFilePath());
        if (MessageBoxW(dialog.window, question.c_str(), kMessageCaption,
                        MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) {
            closeDialog(dialog);
            return;
        }
    }
    if (SaveSettings()) {
        closeDialog(dialog);
        return;
    }
    const std::wstring message = kSaveFailedText + WideFromAnsi(SettingsFilePath());
    MessageBoxW(dialog.window, message.c_str(), kMessageCaption, MB_OK | MB_ICONWARNING);
}

// ---- the link ----

RECT linkBounds(SettingsDialog& dialog)
{
    return textBounds(dialog.window, dialog.linkFont, kHomePage, dialog.pixels(lbl_URL));
}

void openHomePage(SettingsDialog& dialog)
{
    HCURSOR previous = SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT)));
    ShellExecuteW(dialog.window, L"open", kHomePage, L"", L"", SW_SHOWNORMAL);
    SetCursor(previous);
}

void paintForm(SettingsDialog& dialog)
{
    PAINTSTRUCT ps;
    HDC dc = beginPaintOver(dialog.window, dialog.background, ps);
    if (dc == nullptr) return;
    drawText(dc, dialog.font, kWhite, kVersionText, dialog.pixels(lbl_Version), DT_LEFT | DT_SINGLELINE | DT_NOCLIP);
    drawText(dc, dialog.linkFont, kWhite, kHomePage, dialog.pixels(lbl_URL), DT_LEFT | DT_SINGLELINE | DT_NOCLIP);
    EndPaint(dialog.window, &ps);
}

// ---- the display's scale ----

// Both fonts at the dialog's scale. A font that cannot be made leaves the one
// before in use; the caller deletes what was replaced once nothing holds it.
void makeFonts(SettingsDialog& dialog, HFONT& replacedFont, HFONT& replacedLink)
{
    replacedFont = replacedLink = nullptr;
    if (HFONT font = MakeFont(kDialogFont, dialog.twipsPerPixel)) {
        replacedFont = dialog.font;
        dialog.font = font;
    }
    FontSpec link = kDialogFont;
    link.underline = true;
    if (HFONT linkFont = MakeFont(link, dialog.twipsPerPixel)) {
        replacedLink = dialog.linkFont;
        dialog.linkFont = linkFont;
    }
}

// The form where Windows suggests, its client area kept at its size in twips:
// the suggestion scales the whole window, frame and all, and may be a pixel out.
void placeForm(SettingsDialog& dialog, const RECT& suggested)
{
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    SetWindowPos(dialog.window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, flags);
    RECT outer, client;
    if (!GetWindowRect(dialog.window, &outer) || !GetClientRect(dialog.window, &client)) return;
    const int dx = TwipsToPixels(kClientWidthTwips, dialog.twipsPerPixel) - client.right;
    const int dy = TwipsToPixels(kClientHeightTwips, dialog.twipsPerPixel) - client.bottom;
    if (dx != 0 || dy != 0) {
        SetWindowPos(dialog.window, nullptr, 0, 0, outer.right - outer.left + dx, outer.bottom - outer.top + dy,
                     flags | SWP_NOMOVE);
    }
}

void placeControls(SettingsDialog& dialog)
{
    const RECT panel = dialog.pixels(Pic_C);
    MoveWindow(dialog.panel, panel.left, panel.top, panel.right - panel.left, panel.bottom - panel.top, FALSE);
    // The font first: the list's field takes its height from it.
    SendMessageW(dialog.repeatList, WM_SETFONT, reinterpret_cast<WPARAM>(dialog.font), FALSE);
    const RECT list = dialog.pixels(BGM_Repeat);
    MoveWindow(dialog.repeatList, list.left, list.top, list.right - list.left, (list.bottom - list.top) * 8, FALSE);
    dialog.fileButton.rescale(Cmd_File, dialog.twipsPerPixel);
    dialog.setButton.rescale(Cmd_Set, dialog.twipsPerPixel);
    dialog.cancelButton.rescale(Cmd_Can, dialog.twipsPerPixel);
}

// Moved to a monitor of another scale: everything laid out again from twips,
// fonts and pictures included, as if the dialog had opened there.
void onDpiChanged(SettingsDialog& dialog, int dpi, const RECT& suggested)
{
    if (dpi <= 0) return;
    dialog.twipsPerPixel = 1440.0 / dpi;
    HFONT replacedFont, replacedLink;
    makeFonts(dialog, replacedFont, replacedLink);
    placeForm(dialog, suggested);
    placeControls(dialog);
    if (replacedFont != nullptr) DeleteObject(replacedFont);
    if (replacedLink != nullptr) DeleteObject(replacedLink);
    TilePanel(dialog);
    drawGradient(dialog);
    RedrawWindow(dialog.window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

} // namespace

LRESULT DialogPanel::onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCCREATE:
        dialog->panel = window;
        return defaultWindowProc(window, message, wParam, lParam);
    case WM_PAINT:
        paintPanel(*dialog);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        const int kind = choiceAt(*dialog, {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        if (kind >= 0) choose(*dialog, kind);
        return 0;
    }
    default:
        return defaultWindowProc(window, message, wParam, lParam);
    }
}

LRESULT SettingsDialog::onMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCCREATE:
        window = hwnd;
        return defaultWindowProc(hwnd, message, wParam, lParam);
    case WM_PAINT:
        paintForm(*this);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SETCURSOR: {
        POINT pointer;
        GetCursorPos(&pointer);
        ScreenToClient(hwnd, &pointer);
        const RECT link = linkBounds(*this);
        if (LOWORD(lParam) == HTCLIENT && PtInRect(&link, pointer) && hand != nullptr) {
            SetCursor(hand);
            return TRUE;
        }
        return defaultWindowProc(hwnd, message, wParam, lParam);
    }
    case WM_LBUTTONUP: {
        const POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        const RECT link = linkBounds(*this);
        if (PtInRect(&link, point)) openHomePage(*this);
        return 0;
    }
    case WM_CLOSE:
        closeDialog(*this);   // the close box writes nothing
        return 0;
    case WM_COMMAND:
        return 0;   // Enter and Escape reach here as IDOK / IDCANCEL: no button reacts to keys
    case WM_DPICHANGED:
        if (lParam != 0) onDpiChanged(*this, HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    default:
        return defaultWindowProc(hwnd, message, wParam, lParam);
    }
}

namespace {

bool registerClasses(HINSTANCE instance)
{
    WNDCLASSEXW form = {};
    form.cbSize = sizeof(form);
    form.lpfnWndProc = ownedWindowProc<SettingsDialog>;
    form.hInstance = instance;
    form.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_HOST));
    form.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    form.hbrBackground = CreateSolidBrush(RGB(0xC0, 0xC0, 0xC0));
    form.lpszClassName = kFormClass;
    WNDCLASSEXW panel = form;
    panel.lpfnWndProc = ownedWindowProc<DialogPanel>;
    panel.hIcon = nullptr;
    panel.hbrBackground = nullptr;
    panel.lpszClassName = kPanelClass;
    return RegisterClassExW(&form) != 0 && RegisterClassExW(&panel) != 0;
}

double displayTwipsPerPixel()
{
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen != nullptr) ReleaseDC(nullptr, screen);
    return 1440.0 / (dpi > 0 ? dpi : 96);
}

HWND createForm(SettingsDialog& dialog, HINSTANCE instance)
{
    const DWORD style = WS_CAPTION | WS_SYSMENU | WS_BORDER | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_CONTROLPARENT;
    RECT outer = {0, 0, TwipsToPixels(kClientWidthTwips, dialog.twipsPerPixel),
                  TwipsToPixels(kClientHeightTwips, dialog.twipsPerPixel)};
    AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    const int width = outer.right - outer.left, height = outer.bottom - outer.top;

    // Load step 1, in twips: centred across, a third of the free height down.
    const double tpp = dialog.twipsPerPixel;
    const auto place = DialogPosition(static_cast<int>(std::lround(GetSystemMetrics(SM_CXSCREEN) * tpp)),
                                      static_cast<int>(std::lround(GetSystemMetrics(SM_CYSCREEN) * tpp)),
                                      static_cast<int>(std::lround(width * tpp)),
                                      static_cast<int>(std::lround(height * tpp)));
    return CreateWindowExW(exStyle, kFormClass, kTitle, style, TwipsToPixels(place.first, tpp),
                           TwipsToPixels(place.second, tpp), width, height, nullptr, nullptr, instance, &dialog);
}

void createControls(SettingsDialog& dialog, HINSTANCE instance)
{
    const RECT panel = dialog.pixels(Pic_C);
    dialog.panel = CreateWindowExW(WS_EX_CONTROLPARENT, kPanelClass, L"", WS_CHILD | WS_VISIBLE | WS_BORDER |
                                   WS_CLIPCHILDREN, panel.left, panel.top, panel.right - panel.left,
                                   panel.bottom - panel.top, dialog.window, nullptr, instance, &dialog.panelOwner);

    // Tab order: the track list, "...", then the two buttons of the form.
    const RECT list = dialog.pixels(BGM_Repeat);
    dialog.repeatList = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL |
                                        CBS_DROPDOWN | CBS_AUTOHSCROLL, list.left, list.top, list.right - list.left,
                                        (list.bottom - list.top) * 8, dialog.panel, nullptr, instance, nullptr);
    SendMessageW(dialog.repeatList, WM_SETFONT, reinterpret_cast<WPARAM>(dialog.font), FALSE);

    PropertyStore store;
    auto stored = [&](const wchar_t* caption) {
        store = PropertyStore();
        store.write("Caption", std::wstring(caption), std::wstring(L"Command"));
        store.write("Font", kDialogFont, FontSpec());
        return store;
    };
    dialog.fileButton.create(dialog.panel, Cmd_File, dialog.twipsPerPixel, stored(L"..."), kDialogFont);
    dialog.setButton.create(dialog.window, Cmd_Set, dialog.twipsPerPixel, stored(L"設定"), kDialogFont);
    dialog.cancelButton.create(dialog.window, Cmd_Can, dialog.twipsPerPixel, stored(L"ｷｬﾝｾﾙ"), kDialogFont);

    dialog.fileButton.Click = [&dialog] { chooseFile(dialog); };
    dialog.setButton.Click = [&dialog] { acceptSettings(dialog); };
    dialog.cancelButton.Click = [&dialog] { closeDialog(dialog); };
}

void loadPictures(SettingsDialog& dialog, HINSTANCE instance)
{
    dialog.strip = static_cast<HBITMAP>(LoadImageW(instance, MAKEINTRESOURCEW(IDB_STRIP), IMAGE_BITMAP, 0, 0, 0));
    dialog.boxes[0] =
        static_cast<HBITMAP>(LoadImageW(instance, MAKEINTRESOURCEW(IDB_BOX_EMPTY), IMAGE_BITMAP, 0, 0, 0));
    dialog.boxes[1] =
        static_cast<HBITMAP>(LoadImageW(instance, MAKEINTRESOURCEW(IDB_BOX_MARKED), IMAGE_BITMAP, 0, 0, 0));
    dialog.hand = static_cast<HCURSOR>(
        LoadImageW(instance, MAKEINTRESOURCEW(IDC_POINTING_HAND), IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE));
}

void releaseResources(SettingsDialog& dialog)
{
    dialog.background.release();
    dialog.panelBackground.release();
    for (HBITMAP box : dialog.boxes) {
        if (box != nullptr) DeleteObject(box);
    }
    if (dialog.strip != nullptr) DeleteObject(dialog.strip);
    if (dialog.hand != nullptr) DestroyCursor(dialog.hand);
    if (dialog.font != nullptr) DeleteObject(dialog.font);
    if (dialog.linkFont != nullptr) DeleteObject(dialog.linkFont);
}

// The load steps, in their order.
void load(SettingsDialog& dialog)
{
    // Step 2 (Initialize) follows creation; the buttons were made with their stored properties.
    dialog.cancelButton.Initialize();
    dialog.setButton.Initialize();
    dialog.fileButton.Initialize();
    TilePanel(dialog);
    EnableWindow(dialog.repeatList, FALSE);
    showChoice(dialog, BGM_Kind);
    enableFor(dialog, BGM_Kind);
    SetWindowTextW(dialog.repeatList, WideFromAnsi(TwoDigitPattern(BGM_RepeatTrack)).c_str());
    for (const std::string& entry : TrackListEntries()) {
        SendMessageW(dialog.repeatList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromAnsi(entry).c_str()));
    }
    dialog.fileLabel = WideFromAnsi(BGM_File);
    dialog.loadedKind = BGM_Kind;
    dialog.loadedTrack = BGM_RepeatTrack;
    dialog.loadedFile = BGM_File;
    RememberZoomPoint();
    AnimateOpen(dialog.window);
    SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW)));
}

} // namespace

void ShowSettingsDialog()
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!registerClasses(instance)) return;

    // The buttons answer screen readers through the system's accessible proxy, which needs COM.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    SettingsDialog dialog;
    dialog.twipsPerPixel = displayTwipsPerPixel();
    HFONT noFont, noLink;   // nothing to replace yet
    makeFonts(dialog, noFont, noLink);
    loadPictures(dialog, instance);

    dialog.window = createForm(dialog, instance);
    if (dialog.window != nullptr) {
        createControls(dialog, instance);
        load(dialog);
        ShowWindow(dialog.window, SW_SHOWNORMAL);
        drawGradient(dialog);   // the fixed size means one resize: when it is first shown
        InvalidateRect(dialog.window, nullptr, TRUE);
        UpdateWindow(dialog.window);
        if (SettingsFileUnread) {
            const std::wstring message = kUnreadText + WideFromAnsi(SettingsFilePath());
            MessageBoxW(dialog.window, message.c_str(), kMessageCaption, MB_OK | MB_ICONWARNING);
        }

        MSG message;
        while (IsWindow(dialog.window) && GetMessageW(&message, nullptr, 0, 0) > 0) {
            if (IsDialogMessageW(dialog.window, &message)) continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    releaseResources(dialog);
    if (SUCCEEDED(com)) CoUninitialize();
}
